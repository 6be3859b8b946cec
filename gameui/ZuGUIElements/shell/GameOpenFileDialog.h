// CGameOpenFileDialog ("ZuGame/OpenFileDialog"): the names of the scripts' open-file dialog. A
// layout builds the dialog from a frame window with children named by these suffixes, and the
// scripts fill it from SHELL::FileFolderMgr; no factory is registered for the type.
#pragma once

#include <CEGUI/widgets/FrameWindow.h>

namespace ZuGUI
{
class CGameOpenFileDialog : public CEGUI::FrameWindow
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String FolderListSurfix;
    static const CEGUI::String FileListSurfix;
    static const CEGUI::String CurrentStateViewerSurfix;
    static const CEGUI::String OkSurfix;

    using FrameWindow::FrameWindow;

    void initialiseComponents() override {}
};
} // namespace ZuGUI
