#include "ZuGUIElements/shell/GameOpenFileDialog.h"

namespace ZuGUI
{
const CEGUI::String CGameOpenFileDialog::WidgetTypeName("ZuGame/OpenFileDialog");
const CEGUI::String CGameOpenFileDialog::EventNamespace("OpenFileDialog");
const CEGUI::String CGameOpenFileDialog::FolderListSurfix("__folderList__");
const CEGUI::String CGameOpenFileDialog::FileListSurfix("__fileList__");
const CEGUI::String CGameOpenFileDialog::CurrentStateViewerSurfix("__stateViewer__");
const CEGUI::String CGameOpenFileDialog::OkSurfix("__ok__");
} // namespace ZuGUI
