"""A stock CEGUI application written against CEGUI's Python binding only: it loads the sample
scheme (which brings the module's window types and renderers) and the demo layouts, draws
frames, reads and writes the game widgets' own properties by name, pushes markup into a rich
text view and destroys everything. No game client is set. Any exception fails the run.

    stock_python_client.py <CEGUI data folder> <sample skin folder>
"""
import sys

import PyCEGUI
import PyCEGUINullRenderer

LAYOUTS = ["DemoSidebar.layout", "DemoHud.layout", "DemoChat.layout", "DemoWindows.layout",
           "DemoWeb.layout"]
MODULE_TYPE_PREFIX = "ZuGame/"
# The origin that the module's property sets give their properties.
MODULE_ORIGIN = "ZuGUIElements"
MARKUP = "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of Dawn]} {E 1} for 40 gold"


def set_resource_groups(data, skin):
    provider = PyCEGUI.System.getSingleton().getResourceProvider()
    for group, folder in [("schemes", "schemes"), ("imagesets", "imagesets"), ("fonts", "fonts"),
                          ("looknfeels", "looknfeel"), ("layouts", "layouts")]:
        provider.setResourceGroupDirectory(group, data + "/" + folder + "/")
    provider.setResourceGroupDirectory("skin", skin + "/")
    PyCEGUI.ImageManager.setImagesetDefaultResourceGroup("imagesets")
    PyCEGUI.Font.setDefaultResourceGroup("fonts")
    PyCEGUI.Scheme.setDefaultResourceGroup("schemes")
    PyCEGUI.WidgetLookManager.setDefaultResourceGroup("looknfeels")


def module_base_type(window):
    factories = PyCEGUI.WindowFactoryManager.getSingleton()
    window_type = window.getType()
    if factories.isFalagardMappedType(window_type):
        return factories.getFalagardMappingForType(window_type).d_baseType
    return window_type


def windows_under(window):
    yield window
    for index in range(window.getChildCount()):
        yield from windows_under(window.getChildAtIdx(index))


def module_properties(window):
    """The names of the properties that the module's classes add to `window`."""
    names = []
    iterator = window.getPropertyIterator()
    while not iterator.isAtEnd():
        prop = iterator.getCurrentValue()
        if prop.isReadable() and prop.isWritable() and str(prop.getOrigin()) == MODULE_ORIGIN:
            names.append(str(iterator.getCurrentKey()))
        iterator.next()
    return names


def render_frames(count):
    system = PyCEGUI.System.getSingleton()
    context = system.getDefaultGUIContext()
    for _ in range(count):
        system.injectTimePulse(0.1)
        context.injectTimePulse(0.1)
        system.renderAllGUIContexts()


def main(data, skin):
    PyCEGUINullRenderer.NullRenderer.bootstrapSystem()
    set_resource_groups(data, skin)
    schemes = PyCEGUI.SchemeManager.getSingleton()
    schemes.createFromFile("TaharezLook.scheme")
    schemes.createFromFile("ZuLook.scheme", "skin")
    PyCEGUI.FontManager.getSingleton().createFromFile("DejaVuSans-10.font")
    context = PyCEGUI.System.getSingleton().getDefaultGUIContext()
    context.setDefaultFont("DejaVuSans-10")

    windows = PyCEGUI.WindowManager.getSingleton()
    root = windows.createWindow("DefaultWindow", "Root")
    context.setRootWindow(root)
    # The layouts' top windows share names: each goes under a holder of its own.
    for layout in LAYOUTS:
        holder = windows.createWindow("DefaultWindow", layout.split(".")[0])
        root.addChild(holder)
        holder.addChild(windows.loadLayoutFromFile(layout, "skin"))
    render_frames(3)

    game_windows = [w for w in windows_under(root)
                    if str(module_base_type(w)).startswith(MODULE_TYPE_PREFIX)]
    properties = 0
    for window in game_windows:
        for name in module_properties(window):
            value = window.getProperty(name)
            window.setProperty(name, value)
            if window.getProperty(name) != value:
                raise AssertionError("%s: %s read %r, wrote it back, read %r"
                                     % (window.getNamePath(), name, value,
                                        window.getProperty(name)))
            properties += 1
    views = [w for w in game_windows if str(module_base_type(w)) == "ZuGame/GameMultiLine"]
    if not views:
        raise AssertionError("the demo layouts have no rich text view")
    views[0].setText(MARKUP)
    render_frames(3)
    if views[0].getText() != MARKUP:
        raise AssertionError("the rich text view lost its markup: %r" % views[0].getText())

    view_name = str(views[0].getNamePath())
    type_count = len({str(module_base_type(w)) for w in game_windows})

    context.setRootWindow(None)
    windows.destroyWindow(root)
    windows.cleanDeadPool()
    PyCEGUINullRenderer.NullRenderer.destroySystem()
    print("stock Python client: %d game windows of %d module types, %d module properties read "
          "and written back, markup pushed into %s" % (len(game_windows), type_count,
                                                        properties, view_name))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
