#include "platform/dialog_rules.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "support/scripted_platform.h"

#include <QTest>

using namespace vornel;

// The dialog rules without any window, switching platforms, and the scripted double itself.
class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nameFilters_data();
    void nameFilters();
    void fileTitle_data();
    void fileTitle();
    void defaultExtension_data();
    void defaultExtension();
    void messageBoxAnswers_data();
    void messageBoxAnswers();

    void realPlatformUntilReplaced();
    void scopedPlatformInstallsAndRestores();

    void scriptedAnswersInQueuedOrderPerKind();
    void scriptedRecordsCalls();
    void scriptedFileDialogsFillFields();
    void scriptedFileDialogCancelKeepsFields();
    void scriptedClipboardBeepAndKeyLocks();
    void scriptedStartProgram();
    void unexpectedCallsFailWithHarmlessAnswers();
    void failedChecksAreReported();
    void unusedAnswersFailAtScopeEnd();
};

void TestPlatform::init()
{
    setPlatform(nullptr);
}

void TestPlatform::cleanup()
{
    setPlatform(nullptr);
}

void TestPlatform::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("pages and all files")
        << "Shown text|*.htm;*.html|All Files (*.*)|*.*"
        << QStringList{"Shown text (*.htm *.html)", "All Files (*)"};
    QTest::newRow("patterns in the shown text, Windows style")
        << "HTML Files (*.htm;*.html)|*.htm;*.html|Text Files (*.txt;*.text)|*.txt;*.text"
        << QStringList{"HTML Files (*.htm *.html)", "Text Files (*.txt *.text)"};
    QTest::newRow("one pair") << "Text Files|*.txt" << QStringList{"Text Files (*.txt)"};
    QTest::newRow("shown text already lists patterns")
        << "Templates (*.htt)|*.htt" << QStringList{"Templates (*.htt)"};
    QTest::newRow("blanks around patterns")
        << "Pictures| *.gif ; *.jpg" << QStringList{"Pictures (*.gif *.jpg)"};
    QTest::newRow("empty patterns skipped") << "Pages|*.htm;;*.html;" << QStringList{"Pages (*.htm *.html)"};
    QTest::newRow("every file among others") << "Any|*.htm;*.*" << QStringList{"Any (*)"};
    QTest::newRow("shown text without patterns") << "Everything" << QStringList{"Everything (*)"};
    QTest::newRow("patterns without shown text") << "|*.txt" << QStringList{"(*.txt)"};
    QTest::newRow("no filter") << "" << QStringList{};
}

void TestPlatform::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(qtNameFilters(filter), expected);
}

void TestPlatform::fileTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");

    QTest::newRow("full path") << "/home/user/site/INDEX.HTM" << "INDEX.HTM";
    QTest::newRow("name only") << "page.html" << "page.html";
    QTest::newRow("dotted folder") << "/srv/www.site/home" << "home";
    QTest::newRow("blank in name") << "/tmp/my page.htm" << "my page.htm";
    QTest::newRow("folder with slash") << "/tmp/site/" << "";
    QTest::newRow("empty") << "" << "";
}

void TestPlatform::fileTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(fileTitleOf(path), title);
}

void TestPlatform::defaultExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("expected");

    QTest::newRow("added") << "/tmp/page" << "htm" << "/tmp/page.htm";
    QTest::newRow("dot given") << "/tmp/page" << ".htm" << "/tmp/page.htm";
    QTest::newRow("has extension") << "/tmp/page.txt" << "htm" << "/tmp/page.txt";
    QTest::newRow("dotted folder") << "/tmp/a.b/page" << "htm" << "/tmp/a.b/page.htm";
    QTest::newRow("no default") << "/tmp/page" << "" << "/tmp/page";
    QTest::newRow("folder") << "/tmp/" << "htm" << "/tmp/";
}

void TestPlatform::defaultExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, ext);
    QFETCH(QString, expected);
    QCOMPARE(withDefaultExtension(path, ext), expected);
}

void TestPlatform::messageBoxAnswers_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<MsgResult>("escape");

    using R = MsgResult;
    QTest::newRow("Ok") << MsgButtons::Ok << QList<R>{R::Ok} << R::Ok;
    QTest::newRow("OkCancel") << MsgButtons::OkCancel << QList<R>{R::Ok, R::Cancel} << R::Cancel;
    QTest::newRow("YesNo") << MsgButtons::YesNo << QList<R>{R::Yes, R::No} << R::No;
    QTest::newRow("YesNoCancel")
        << MsgButtons::YesNoCancel << QList<R>{R::Yes, R::No, R::Cancel} << R::Cancel;
    QTest::newRow("RetryCancel")
        << MsgButtons::RetryCancel << QList<R>{R::Retry, R::Cancel} << R::Cancel;
    QTest::newRow("AbortRetryIgnore")
        << MsgButtons::AbortRetryIgnore << QList<R>{R::Abort, R::Retry, R::Ignore} << R::Abort;
}

void TestPlatform::messageBoxAnswers()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(QList<MsgResult>, answers);
    QFETCH(MsgResult, escape);
    QCOMPARE(answersOf(buttons), answers);
    QCOMPARE(escapeAnswer(buttons), escape);
}

void TestPlatform::realPlatformUntilReplaced()
{
    Platform *real = &platform();
    QVERIFY(dynamic_cast<QtPlatform *>(real));

    ScriptedPlatform scripted;
    setPlatform(&scripted);
    QCOMPARE(&platform(), &scripted);

    setPlatform(nullptr);
    QCOMPARE(&platform(), real);
}

void TestPlatform::scopedPlatformInstallsAndRestores()
{
    Platform *real = &platform();
    {
        ScopedPlatform scoped;
        QCOMPARE(&platform(), &*scoped);
        platform().setClipboardText("scripted");
        QCOMPARE(scoped->clipboardText(), QString("scripted"));
    }
    QCOMPARE(&platform(), real);
}

void TestPlatform::scriptedAnswersInQueuedOrderPerKind()
{
    ScopedPlatform scripted;
    scripted->expectMessageBox(MsgResult::Yes);
    scripted->expectInputBox("first");
    scripted->expectMessageBox(MsgResult::Cancel);
    scripted->expectInputBox("second");

    QCOMPARE(platform().inputBox("T", "P", ""), QString("first"));
    QCOMPARE(platform().messageBox("T", "a", MsgButtons::YesNoCancel, MsgIcon::Question),
             MsgResult::Yes);
    QCOMPARE(platform().messageBox("T", "b", MsgButtons::OkCancel, MsgIcon::Question),
             MsgResult::Cancel);
    QCOMPARE(platform().inputBox("T", "P", ""), QString("second"));
    QVERIFY(scripted->unusedAnswers().isEmpty());
    QVERIFY(scripted->problems().isEmpty());
}

void TestPlatform::scriptedRecordsCalls()
{
    ScopedPlatform scripted;
    scripted->expectMessageBox(MsgResult::Ok);
    scripted->expectInputBox("answer");

    platform().messageBox("Vornel", "File not found", MsgButtons::Ok, MsgIcon::Exclamation);
    platform().beep();
    platform().inputBox("Anchor", "Name of the anchor:", "top");

    const QList<PlatformCall> calls = scripted->calls();
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].kind, PlatformCall::Kind::MessageBox);
    QCOMPARE(calls[0].title, QString("Vornel"));
    QCOMPARE(calls[0].text, QString("File not found"));
    QCOMPARE(calls[0].buttons, MsgButtons::Ok);
    QCOMPARE(calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(calls[1].kind, PlatformCall::Kind::Beep);
    QCOMPARE(calls[2].kind, PlatformCall::Kind::InputBox);
    QCOMPARE(calls[2].title, QString("Anchor"));
    QCOMPARE(calls[2].text, QString("Name of the anchor:"));
    QCOMPARE(calls[2].defaultText, QString("top"));
    QCOMPARE(scripted->callsOf(PlatformCall::Kind::InputBox).size(), 1);
}

void TestPlatform::scriptedFileDialogsFillFields()
{
    ScopedPlatform scripted;
    scripted->expectSaveDialog("/site/page", 2);
    scripted->expectOpenDialog("/site/old.txt");

    CommonDialog dialog;
    dialog.dialogTitle = "Save As";
    dialog.filter = "Pages|*.htm|Text|*.txt";
    dialog.filterIndex = 1;
    dialog.flags = FileDialogFlags::OverwritePrompt;
    dialog.initDir = "/site";
    dialog.defaultExt = "htm";
    dialog.fileName = "before.htm";
    const CommonDialog shown = dialog;

    QVERIFY(platform().showSaveDialog(dialog));
    QCOMPARE(dialog.fileName, QString("/site/page.htm"));
    QCOMPARE(dialog.fileTitle, QString("page.htm"));
    QCOMPARE(dialog.filterIndex, 2);
    compareDialogFields(scripted->calls().constLast().dialog, shown);
    QCOMPARE(scripted->calls().constLast().title, QString("Save As"));
    QCOMPARE(scripted->calls().constLast().kind, PlatformCall::Kind::SaveDialog);

    QVERIFY(platform().showOpenDialog(dialog));
    QCOMPARE(dialog.fileName, QString("/site/old.txt"));
    QCOMPARE(dialog.fileTitle, QString("old.txt"));
    QCOMPARE(dialog.filterIndex, 2);
    QCOMPARE(scripted->calls().constLast().kind, PlatformCall::Kind::OpenDialog);
    QCOMPARE(scripted->calls().constLast().dialog.fileName, QString("/site/page.htm"));
}

void TestPlatform::scriptedFileDialogCancelKeepsFields()
{
    ScopedPlatform scripted;
    scripted->expectOpenDialogCancel();
    scripted->expectSaveDialogCancel();

    CommonDialog dialog;
    dialog.filter = "Pages|*.htm";
    dialog.fileName = "/site/index.htm";
    dialog.fileTitle = "index.htm";
    const CommonDialog before = dialog;

    QVERIFY(!platform().showOpenDialog(dialog));
    compareDialogFields(dialog, before);
    QVERIFY(!platform().showSaveDialog(dialog));
    compareDialogFields(dialog, before);
}

void TestPlatform::scriptedClipboardBeepAndKeyLocks()
{
    ScopedPlatform scripted;
    QCOMPARE(platform().clipboardText(), QString());
    platform().setClipboardText("<B>Welcome</B>");
    QCOMPARE(platform().clipboardText(), QString("<B>Welcome</B>"));

    platform().beep();
    platform().beep();
    QCOMPARE(scripted->beepCount(), 2);

    QVERIFY(!platform().keyLockState().known);
    scripted->setKeyLockState({true, false, true, true});
    const KeyLockState state = platform().keyLockState();
    QVERIFY(state.known);
    QVERIFY(state.capsLock);
    QVERIFY(!state.numLock);
    QVERIFY(state.scrollLock);
}

void TestPlatform::scriptedStartProgram()
{
    ScopedPlatform scripted;
    scripted->expectStartProgram(true, "viewer", QStringList{"/site/page.htm"});
    scripted->expectStartProgram(false);

    QVERIFY(platform().startProgram("viewer", {"/site/page.htm"}));
    QVERIFY(!platform().startProgram("write", {"MANUAL.WRI"}));
    QCOMPARE(scripted->calls().constLast().program, QString("write"));
    QCOMPARE(scripted->calls().constLast().arguments, QStringList{"MANUAL.WRI"});
    QVERIFY(scripted->problems().isEmpty());
}

void TestPlatform::unexpectedCallsFailWithHarmlessAnswers()
{
    ScopedPlatform scripted;
    // Each unexpected call must fail the test; the expected failures turn that into a pass,
    // and a call that did not fail would leave its expectation to break the next check.
    QEXPECT_FAIL("", "unexpected message box", Continue);
    const MsgResult yesNo = platform().messageBox("T", "Sure?", MsgButtons::YesNo, MsgIcon::Question);
    QCOMPARE(yesNo, MsgResult::No);

    QEXPECT_FAIL("", "unexpected message box", Continue);
    const MsgResult withCancel = platform().messageBox("T", "Save?", MsgButtons::YesNoCancel,
                                                       MsgIcon::Question);
    QCOMPARE(withCancel, MsgResult::Cancel);

    QEXPECT_FAIL("", "unexpected input box", Continue);
    const QString typed = platform().inputBox("T", "Name:", "default");
    QCOMPARE(typed, QString());

    CommonDialog dialog;
    dialog.fileName = "kept.htm";
    QEXPECT_FAIL("", "unexpected open dialog", Continue);
    const bool chosen = platform().showOpenDialog(dialog);
    QVERIFY(!chosen);
    QCOMPARE(dialog.fileName, QString("kept.htm"));

    QEXPECT_FAIL("", "unexpected program start", Continue);
    const bool started = platform().startProgram("viewer", {});
    QVERIFY(!started);

    QCOMPARE(scripted->problems().size(), 5);
    QVERIFY(scripted->problems().first().contains("Sure?"));
    QCOMPARE(scripted->calls().size(), 5);
}

void TestPlatform::failedChecksAreReported()
{
    ScopedPlatform scripted;
    scripted->expectMessageBox(MsgResult::Yes, QString("Vornel"), QString("Save changes?"));
    scripted->expectMessageBox(MsgResult::Yes);

    QEXPECT_FAIL("", "text differs", Continue);
    const MsgResult answered = platform().messageBox("Vornel", "Save the changes?",
                                                     MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    QCOMPARE(answered, MsgResult::Yes);
    QVERIFY(scripted->problems().constLast().contains("Save the changes?"));

    QEXPECT_FAIL("", "Yes is no button of an Ok box", Continue);
    const MsgResult notAButton = platform().messageBox("Vornel", "Done", MsgButtons::Ok,
                                                       MsgIcon::Information);
    QCOMPARE(notAButton, MsgResult::Ok);
    QCOMPARE(scripted->problems().size(), 2);
}

void TestPlatform::unusedAnswersFailAtScopeEnd()
{
    Platform *real = &platform();
    {
        ScopedPlatform scripted;
        scripted->expectInputBox("never asked");
        scripted->expectSaveDialogCancel();
        QCOMPARE(scripted->unusedAnswers().size(), 2);
        CommonDialog dialog;
        QVERIFY(!platform().showSaveDialog(dialog));
        QCOMPARE(scripted->unusedAnswers().size(), 1);
        QVERIFY(scripted->unusedAnswers().first().contains("input box"));
        QEXPECT_FAIL("", "unused input box answer", Continue);
    }
    // Had the unused answer not failed the test, this check would pass unexpectedly.
    QCOMPARE(&platform(), real);
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
