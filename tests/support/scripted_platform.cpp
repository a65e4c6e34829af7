#include "support/scripted_platform.h"

#include "platform/dialog_rules.h"

#include <QTest>

using namespace vornel;

namespace {

QString resultName(MsgResult result)
{
    static const char *const names[] = {"Ok", "Cancel", "Yes", "No", "Retry", "Abort", "Ignore"};
    return QString::fromLatin1(names[int(result)]);
}

QString buttonsName(MsgButtons buttons)
{
    static const char *const names[] = {"Ok",          "OkCancel",    "YesNo",
                                        "YesNoCancel", "RetryCancel", "AbortRetryIgnore"};
    return QString::fromLatin1(names[int(buttons)]);
}

QString kindName(PlatformCall::Kind kind)
{
    static const char *const names[] = {"message box",  "input box",          "beep",
                                        "open dialog",  "save dialog",        "program start",
                                        "print dialog", "print setup dialog", "print job",
                                        "desktop open", "colour dialog",      "font dialog"};
    return QString::fromLatin1(names[int(kind)]);
}

QString describe(const PlatformCall &call)
{
    const QString kind = kindName(call.kind);
    switch (call.kind) {
    case PlatformCall::Kind::MessageBox:
        return QStringLiteral("%1 \"%2\": \"%3\" [%4]")
            .arg(kind, call.title, call.text, buttonsName(call.buttons));
    case PlatformCall::Kind::InputBox:
        return QStringLiteral("%1 \"%2\": \"%3\"").arg(kind, call.title, call.text);
    case PlatformCall::Kind::OpenDialog:
    case PlatformCall::Kind::SaveDialog:
        return QStringLiteral("%1 \"%2\" filter \"%3\"").arg(kind, call.title, call.dialog.filter);
    case PlatformCall::Kind::StartProgram:
        return QStringLiteral("%1 %2 %3").arg(kind, call.program, call.arguments.join(u' '));
    case PlatformCall::Kind::PrintDialog:
        return QStringLiteral("%1 flags 0x%2 copies %3")
            .arg(kind, QString::number(call.print.flags, 16))
            .arg(call.print.copies);
    case PlatformCall::Kind::PrintJob:
    case PlatformCall::Kind::OpenWithDesktop:
        return QStringLiteral("%1 \"%2\"").arg(kind, call.text);
    case PlatformCall::Kind::ColorDialog:
        return QStringLiteral("%1 %2").arg(kind, call.color.name());
    case PlatformCall::Kind::FontDialog:
        return QStringLiteral("%1 %2").arg(kind, call.font.toString());
    case PlatformCall::Kind::Beep:
    case PlatformCall::Kind::PrintSetupDialog:
        break;
    }
    return kind;
}

PlatformCall newCall(PlatformCall::Kind kind)
{
    PlatformCall call;
    call.kind = kind;
    return call;
}

} // namespace

void ScriptedPlatform::expectMessageBox(MsgResult answer, std::optional<QString> title,
                                        std::optional<QString> text, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::MessageBox, where);
    queued.result = answer;
    queued.expectedTitle = std::move(title);
    queued.expectedText = std::move(text);
}

void ScriptedPlatform::expectInputBox(const QString &answer, std::optional<QString> title,
                                      std::optional<QString> prompt, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::InputBox, where);
    queued.text = answer;
    queued.expectedTitle = std::move(title);
    queued.expectedText = std::move(prompt);
}

void ScriptedPlatform::expectOpenDialog(const QString &path, int filterIndex, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::OpenDialog, where);
    queued.text = path;
    queued.filterIndex = filterIndex;
}

void ScriptedPlatform::expectOpenDialogCancel(Where where)
{
    queue(PlatformCall::Kind::OpenDialog, where).accepted = false;
}

void ScriptedPlatform::expectSaveDialog(const QString &path, int filterIndex, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::SaveDialog, where);
    queued.text = path;
    queued.filterIndex = filterIndex;
}

void ScriptedPlatform::expectSaveDialogCancel(Where where)
{
    queue(PlatformCall::Kind::SaveDialog, where).accepted = false;
}

void ScriptedPlatform::expectStartProgram(bool started, std::optional<QString> program,
                                          std::optional<QStringList> arguments, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::StartProgram, where);
    queued.accepted = started;
    queued.expectedText = std::move(program);
    queued.expectedArguments = std::move(arguments);
}

void ScriptedPlatform::expectOpenWithDesktop(bool opened, std::optional<QString> path, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::OpenWithDesktop, where);
    queued.accepted = opened;
    queued.expectedText = std::move(path);
}

void ScriptedPlatform::expectColorDialog(const QColor &chosen, Where where)
{
    queue(PlatformCall::Kind::ColorDialog, where).color = chosen;
}

void ScriptedPlatform::expectColorDialogCancel(Where where)
{
    queue(PlatformCall::Kind::ColorDialog, where).accepted = false;
}

void ScriptedPlatform::expectFontDialog(const QFont &chosen, Where where)
{
    queue(PlatformCall::Kind::FontDialog, where).font = chosen;
}

void ScriptedPlatform::expectFontDialogCancel(Where where)
{
    queue(PlatformCall::Kind::FontDialog, where).accepted = false;
}

void ScriptedPlatform::expectPrintDialog(int copies, int chosenFlags, Where where)
{
    Answer &queued = queue(PlatformCall::Kind::PrintDialog, where);
    queued.copies = copies;
    queued.printFlags = chosenFlags;
}

void ScriptedPlatform::expectPrintDialogCancel(Where where)
{
    queue(PlatformCall::Kind::PrintDialog, where).accepted = false;
}

void ScriptedPlatform::expectPrintSetupDialog(bool accepted, Where where)
{
    queue(PlatformCall::Kind::PrintSetupDialog, where).accepted = accepted;
}

QStringList ScriptedPlatform::printedTexts() const
{
    QStringList texts;
    for (const PlatformCall &call : callsOf(PlatformCall::Kind::PrintJob))
        texts << call.text;
    return texts;
}

QList<PlatformCall> ScriptedPlatform::callsOf(PlatformCall::Kind kind) const
{
    QList<PlatformCall> result;
    for (const PlatformCall &call : m_calls) {
        if (call.kind == kind)
            result << call;
    }
    return result;
}

QStringList ScriptedPlatform::unusedAnswers() const
{
    QStringList result;
    for (const Answer &answer : m_answers) {
        result << QStringLiteral("%1 answer queued at %2:%3 was never used")
                      .arg(kindName(answer.kind), QString::fromUtf8(answer.where.file_name()))
                      .arg(answer.where.line());
    }
    return result;
}

bool ScriptedPlatform::verifyAllUsed()
{
    for (const Answer &answer : m_answers)
        report(QStringLiteral("Unused %1 answer").arg(kindName(answer.kind)), answer.where);
    return m_answers.isEmpty();
}

MsgResult ScriptedPlatform::messageBox(const QString &title, const QString &text,
                                       MsgButtons buttons, MsgIcon icon)
{
    PlatformCall call = newCall(PlatformCall::Kind::MessageBox);
    call.title = title;
    call.text = text;
    call.buttons = buttons;
    call.icon = icon;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer)
        return escapeAnswer(buttons);
    check(*answer, "title", title, answer->expectedTitle);
    check(*answer, "text", text, answer->expectedText);
    if (!answersOf(buttons).contains(answer->result)) {
        report(QStringLiteral("Scripted answer %1 is not a button of the %2")
                   .arg(resultName(answer->result), describe(call)),
               answer->where);
        return escapeAnswer(buttons);
    }
    return answer->result;
}

QString ScriptedPlatform::inputBox(const QString &title, const QString &prompt,
                                   const QString &defaultText)
{
    PlatformCall call = newCall(PlatformCall::Kind::InputBox);
    call.title = title;
    call.text = prompt;
    call.defaultText = defaultText;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer)
        return QString();
    check(*answer, "title", title, answer->expectedTitle);
    check(*answer, "prompt", prompt, answer->expectedText);
    return answer->text;
}

void ScriptedPlatform::beep()
{
    m_calls << newCall(PlatformCall::Kind::Beep);
}

bool ScriptedPlatform::showOpenDialog(CommonDialog &dialog)
{
    return showFileDialog(PlatformCall::Kind::OpenDialog, dialog);
}

bool ScriptedPlatform::showSaveDialog(CommonDialog &dialog)
{
    return showFileDialog(PlatformCall::Kind::SaveDialog, dialog);
}

bool ScriptedPlatform::showFileDialog(PlatformCall::Kind kind, CommonDialog &dialog)
{
    PlatformCall call = newCall(kind);
    call.title = dialog.dialogTitle;
    call.dialog = dialog;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer || !answer->accepted)
        return false;
    dialog.fileName = withDefaultExtension(answer->text, dialog.defaultExt);
    dialog.fileTitle = fileTitleOf(dialog.fileName);
    if (answer->filterIndex > 0)
        dialog.filterIndex = answer->filterIndex;
    return true;
}

bool ScriptedPlatform::showPrintDialog(PrintDialogOptions &options)
{
    PlatformCall call = newCall(PlatformCall::Kind::PrintDialog);
    call.print = options;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer || !answer->accepted)
        return false;
    constexpr int chosen = PrintDialogFlags::Selection | PrintDialogFlags::PrintToFile;
    options.flags = (options.flags & ~chosen) | (answer->printFlags & chosen);
    options.copies = answer->copies;
    return true;
}

bool ScriptedPlatform::showPrintSetupDialog()
{
    PlatformCall call = newCall(PlatformCall::Kind::PrintSetupDialog);
    m_calls << call;
    const std::optional<Answer> answer = take(call);
    return answer && answer->accepted;
}

bool ScriptedPlatform::printText(const QString &text)
{
    PlatformCall call = newCall(PlatformCall::Kind::PrintJob);
    call.text = text;
    m_calls << call;
    return true;
}

bool ScriptedPlatform::startProgram(const QString &program, const QStringList &arguments)
{
    PlatformCall call = newCall(PlatformCall::Kind::StartProgram);
    call.program = program;
    call.arguments = arguments;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer)
        return false;
    check(*answer, "program", program, answer->expectedText);
    if (answer->expectedArguments && *answer->expectedArguments != arguments) {
        report(QStringLiteral("Program arguments were \"%1\", expected \"%2\"")
                   .arg(arguments.join(u' '), answer->expectedArguments->join(u' ')),
               answer->where);
    }
    return answer->accepted;
}

bool ScriptedPlatform::openWithDesktop(const QString &path)
{
    PlatformCall call = newCall(PlatformCall::Kind::OpenWithDesktop);
    call.text = path;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer)
        return false;
    check(*answer, "path", path, answer->expectedText);
    return answer->accepted;
}

bool ScriptedPlatform::showColorDialog(QColor &color)
{
    PlatformCall call = newCall(PlatformCall::Kind::ColorDialog);
    call.color = color;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer || !answer->accepted)
        return false;
    color = answer->color;
    return true;
}

bool ScriptedPlatform::showFontDialog(QFont &font)
{
    PlatformCall call = newCall(PlatformCall::Kind::FontDialog);
    call.font = font;
    m_calls << call;

    const std::optional<Answer> answer = take(call);
    if (!answer || !answer->accepted)
        return false;
    font = answer->font;
    return true;
}

ScriptedPlatform::Answer &ScriptedPlatform::queue(PlatformCall::Kind kind, const Where &where)
{
    Answer answer;
    answer.kind = kind;
    answer.where = where;
    m_answers << answer;
    return m_answers.last();
}

std::optional<ScriptedPlatform::Answer> ScriptedPlatform::take(const PlatformCall &call)
{
    for (qsizetype i = 0; i < m_answers.size(); ++i) {
        if (m_answers.at(i).kind == call.kind)
            return m_answers.takeAt(i);
    }
    report(QStringLiteral("Unexpected %1").arg(describe(call)), Where::current());
    return std::nullopt;
}

void ScriptedPlatform::check(const Answer &answer, const char *what, const QString &shown,
                             const std::optional<QString> &expected)
{
    if (expected && *expected != shown) {
        report(QStringLiteral("%1 %2 was \"%3\", expected \"%4\"")
                   .arg(kindName(answer.kind), QLatin1String(what), shown, *expected),
               answer.where);
    }
}

void ScriptedPlatform::report(const QString &problem, const Where &where)
{
    m_problems << problem;
    // Outside a test function there is nobody to tell; problems() still has it.
    if (QTest::currentTestFunction())
        QTest::qFail(problem.toUtf8().constData(), where.file_name(), int(where.line()));
}

void compareDialogFields(const CommonDialog &actual, const CommonDialog &expected)
{
    QCOMPARE(actual.dialogTitle, expected.dialogTitle);
    QCOMPARE(actual.filter, expected.filter);
    QCOMPARE(actual.filterIndex, expected.filterIndex);
    QCOMPARE(actual.flags, expected.flags);
    QCOMPARE(actual.initDir, expected.initDir);
    QCOMPARE(actual.defaultExt, expected.defaultExt);
    QCOMPARE(actual.fileName, expected.fileName);
    QCOMPARE(actual.fileTitle, expected.fileTitle);
}

ScopedPlatform::ScopedPlatform()
{
    setPlatform(&m_platform);
}

ScopedPlatform::~ScopedPlatform()
{
    setPlatform(nullptr);
    if (!QTest::currentTestFailed())
        m_platform.verifyAllUsed();
}
