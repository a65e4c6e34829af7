#include "dialogs/form_commands.h"

#include "dialogs/form_field_dialogs.h"
#include "dialogs/list_input_box.h"
#include "editor/insertion.h"
#include "editor/markup_commands.h"
#include "editor/text_edit.h"
#include "platform/platform.h"

#include <array>

namespace vornel {

namespace {

constexpr std::array<const char *, 8> inputCaptions = {
    "&Text...", "&Password...", "&Checkbox...", "&Radio...", "&Submit...", "R&eset...", "&Image...", "&Hidden...",
};
constexpr std::array<const char *, 8> inputTypes = {
    "TEXT", "PASSWORD", "CHECKBOX", "RADIO", "SUBMIT", "RESET", "IMAGE", "HIDDEN",
};

CommandRow formSubmenu(const QString &submenuName, const QString &caption, std::vector<CommandRow> rows)
{
    return {.caption = caption, .submenuName = submenuName, .submenu = controlArray(submenuName, std::move(rows))};
}

} // namespace

void formElementCommand(Workspace &workspace, TextEdit &area, FormMethod method)
{
    const QString program =
        listInputBox(workspace, QStringLiteral("Select or enter location of the program that will process the form."),
                     QStringLiteral("url-list.qvl"), QStringLiteral("Form processing program"), false);
    if (program.isEmpty())
        return;
    const QString methodText = method == FormMethod::Post ? QStringLiteral(" METHOD=POST") : QStringLiteral(" METHOD=GET");
    EditGroup group(area);
    insertBlockTag(area, QStringLiteral("FORM ACTION=\"") + program + QLatin1Char('"') + methodText, false);
    area.setSelText(QStringLiteral("\r\n") + area.selText() + QStringLiteral("\r\n</FORM>\r\n"));
}

void optionCommand(TextEdit &area, OptionState state)
{
    const QString answer = platform().inputBox(QStringLiteral("Form Option Text"),
                                               QStringLiteral("Enter text to describe this option"), area.selText());
    EditGroup group(area);
    // The answer stands for the selection; without one the selection stays behind the tag.
    if (!answer.isEmpty())
        area.setSelText(QString());
    insertBlockTag(area, state == OptionState::Selected ? QStringLiteral("OPTION SELECTED") : QStringLiteral("OPTION"),
                   false);
    if (!answer.isEmpty())
        area.setSelText(answer);
}

std::vector<CommandRow> formRows()
{
    CommandRow heading{{}, QObject::tr("Action:")};
    heading.enabled = false;
    const auto form = [](FormMethod method) {
        return workspaceEditCommand([method](Workspace &workspace, TextEdit &area) { formElementCommand(workspace, area, method); });
    };
    std::vector<CommandRow> inputs;
    for (std::size_t i = 0; i < inputTypes.size(); ++i) {
        const QString type = QString::fromLatin1(inputTypes[i]);
        inputs.push_back({{}, QObject::tr(inputCaptions[i]), {},
                          workspaceCommand([type](Workspace &workspace) { inputFieldCommand(workspace, type); })});
    }
    const auto select = [](const QString &option) {
        return workspaceCommand([option](Workspace &workspace) { selectFieldCommand(workspace, option); });
    };
    const auto option = [](OptionState state) {
        return workspaceEditCommand([state](Workspace &, TextEdit &area) { optionCommand(area, state); });
    };
    return controlArray(QStringLiteral("mnuForm"), {
        formSubmenu(QStringLiteral("mnuFormAction"), QObject::tr("&Form"), {
            heading,
            separatorRow(),
            {{}, QObject::tr("&Post"), {}, form(FormMethod::Post)},
            {{}, QObject::tr("&Get"), {}, form(FormMethod::Get)},
        }),
        formSubmenu(QStringLiteral("mnuFormInput"), QObject::tr("&Input Field"), std::move(inputs)),
        formSubmenu(QStringLiteral("mnuFormSelect"), QObject::tr("&Select Field"), {
            {{}, QObject::tr("&Single Select..."), {}, select(QString())},
            {{}, QObject::tr("&Multiple..."), {}, select(QStringLiteral(" MULTIPLE "))},
        }),
        formSubmenu(QStringLiteral("mnuFormOption"), QObject::tr("&Option"), {
            {{}, QObject::tr("&Selected by Default"), {}, option(OptionState::Selected)},
            {{}, QObject::tr("&Not Selected"), {}, option(OptionState::NotSelected)},
        }),
        {{}, QObject::tr("&Text Area..."), {}, workspaceCommand([](Workspace &workspace) { textAreaCommand(workspace); })},
    });
}

} // namespace vornel
