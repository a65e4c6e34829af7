#include "app/toolbox_control.h"

#include "app/main_window.h"
#include "dialogs/extended_characters.h"
#include "prefs/preferences.h"

#include <QAction>

namespace vornel {

ToolboxControl::ToolboxControl(MainWindow &main)
    : QObject(&main)
    , m_main(main)
{
}

ExtendedCharactersToolbox *ToolboxControl::toolbox() const
{
    return m_toolbox;
}

bool ToolboxControl::isOpen() const
{
    return !m_toolbox.isNull();
}

void ToolboxControl::open()
{
    if (m_toolbox)
        return;
    m_toolbox = new ExtendedCharactersToolbox(m_main);
    m_toolbox->setAttribute(Qt::WA_DeleteOnClose);
    // Gone for the menus at once, though it is destroyed only later.
    connect(m_toolbox, &ExtendedCharactersToolbox::closed, this, [this] { m_toolbox = nullptr; });
    if (!m_main.isMinimized())
        m_toolbox->show();
}

void ToolboxControl::close()
{
    if (m_toolbox)
        m_toolbox->close();
}

void ToolboxControl::toggle()
{
    if (m_toolbox)
        close();
    else
        open();
}

void ToolboxControl::followMainWindow(bool minimised)
{
    if (m_toolbox)
        m_toolbox->setVisible(!minimised);
}

CommandOperation toolboxCommand(MainWindow &main)
{
    return {[&main](const CommandTarget &target) {
        main.toolbox().toggle();
        target.action->setChecked(prefs().ExtShow != 0);
    }};
}

} // namespace vornel
