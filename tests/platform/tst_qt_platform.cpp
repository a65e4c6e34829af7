#include "platform/dialog_rules.h"
#include "platform/qt_platform.h"
#include "support/scripted_platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vornel;

namespace {

QMessageBox::StandardButton standardButton(MsgResult answer)
{
    switch (answer) {
    case MsgResult::Ok: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Yes: return QMessageBox::Yes;
    case MsgResult::No: return QMessageBox::No;
    case MsgResult::Retry: return QMessageBox::Retry;
    case MsgResult::Abort: return QMessageBox::Abort;
    case MsgResult::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::NoButton;
}

} // namespace

// The real platform's dialogs, answered by a timer as soon as they show.
class TestQtPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nameFilterPatternsAsQtReadsThem_data();
    void nameFilterPatternsAsQtReadsThem();
    void messageBox_data();
    void messageBox();
    void longMessageShownAsWritten_data();
    void longMessageShownAsWritten();
    void inputBox();
    void saveDialog();
    void saveDialogDefaultTitleAndOverwritePrompt();
    void openDialog();
    void fileDialogCancelKeepsFields();
    void clipboardRoundTrip();
    void startProgram();
    void keyLockStateUnknownOffX11();
    void keyLockStateOnX11();

private:
    // Runs action on the next modal dialog of type Dialog as soon as it shows, so that the
    // exec() that follows returns without a user.
    template<typename Dialog>
    void whenShown(std::function<void(Dialog *)> action);

    std::unique_ptr<QObject> m_timers;
};

void TestQtPlatform::init()
{
    m_timers = std::make_unique<QObject>();
}

void TestQtPlatform::cleanup()
{
    m_timers.reset();
}

template<typename Dialog>
void TestQtPlatform::whenShown(std::function<void(Dialog *)> action)
{
    auto *timer = new QTimer(m_timers.get());
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            action(dialog);
        }
    });
    timer->start();
}

void TestQtPlatform::nameFilterPatternsAsQtReadsThem_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("patterns");

    const QString filter = "HTML (*.htm;*.html)|*.htm;*.html|Text Files|*.txt|All Files (*.*)|*.*";
    QTest::newRow("patterns in shown text") << filter << 1 << QStringList{"*.htm", "*.html"};
    QTest::newRow("plain shown text") << filter << 2 << QStringList{"*.txt"};
    QTest::newRow("all files") << filter << 3 << QStringList{"*"};
}

void TestQtPlatform::nameFilterPatternsAsQtReadsThem()
{
    QFETCH(QString, filter);
    QFETCH(int, index);
    QFETCH(QStringList, patterns);

    // The file dialog's own model shows which patterns Qt took from the converted filter.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList nameFilters = qtNameFilters(filter);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.at(index - 1));
    auto *model = dialog.findChild<QFileSystemModel *>();
    QVERIFY(model);
    QCOMPARE(model->nameFilters(), patterns);
}

void TestQtPlatform::messageBox_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("action");  // "click", "escape" or "close"
    QTest::addColumn<MsgResult>("clicked");
    QTest::addColumn<MsgResult>("expected");

    QTest::newRow("Ok escape") << MsgButtons::Ok << "escape" << MsgResult::Ok << MsgResult::Ok;
    QTest::newRow("OkCancel Ok") << MsgButtons::OkCancel << "click" << MsgResult::Ok << MsgResult::Ok;
    QTest::newRow("OkCancel escape")
        << MsgButtons::OkCancel << "escape" << MsgResult::Ok << MsgResult::Cancel;
    QTest::newRow("YesNo Yes") << MsgButtons::YesNo << "click" << MsgResult::Yes << MsgResult::Yes;
    QTest::newRow("YesNo escape") << MsgButtons::YesNo << "escape" << MsgResult::Yes << MsgResult::No;
    QTest::newRow("YesNo close") << MsgButtons::YesNo << "close" << MsgResult::Yes << MsgResult::No;
    QTest::newRow("YesNoCancel No")
        << MsgButtons::YesNoCancel << "click" << MsgResult::No << MsgResult::No;
    QTest::newRow("YesNoCancel close")
        << MsgButtons::YesNoCancel << "close" << MsgResult::Yes << MsgResult::Cancel;
    QTest::newRow("RetryCancel Retry")
        << MsgButtons::RetryCancel << "click" << MsgResult::Retry << MsgResult::Retry;
    QTest::newRow("RetryCancel escape")
        << MsgButtons::RetryCancel << "escape" << MsgResult::Retry << MsgResult::Cancel;
    QTest::newRow("AbortRetryIgnore Ignore")
        << MsgButtons::AbortRetryIgnore << "click" << MsgResult::Ignore << MsgResult::Ignore;
}

void TestQtPlatform::messageBox()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, action);
    QFETCH(MsgResult, clicked);
    QFETCH(MsgResult, expected);

    const QList<MsgResult> answers = answersOf(buttons);
    QString shownTitle;
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    bool firstIsDefault = false;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        shownTitle = box->windowTitle();
        shownText = box->text();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        firstIsDefault = box->defaultButton()
            && box->defaultButton() == box->button(standardButton(answers.first()));
        if (action == "click")
            box->button(standardButton(clicked))->click();
        else if (action == "escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });

    QtPlatform real;
    const MsgResult result = real.messageBox("Vornel", "Save changes?", buttons,
                                             MsgIcon::Exclamation);
    QCOMPARE(result, expected);
    QCOMPARE(shownTitle, QString("Vornel"));
    QCOMPARE(shownText, QString("Save changes?"));
    QCOMPARE(shownIcon, QMessageBox::Warning);
    QMessageBox::StandardButtons expectedButtons;
    for (MsgResult answer : answers)
        expectedButtons |= standardButton(answer);
    QCOMPARE(shownButtons, expectedButtons);
    QVERIFY(firstIsDefault);
}

void TestQtPlatform::longMessageShownAsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownAs");  // "written", "broken" (line breaks added) or "shortened"
    const QString path = "/home/user/" + QString("sites/").repeated(45) + "index.htm";
    QTest::newRow("question with a path") << "Vornel ended without saving the changes to INDEX.HTM (" + path
            + ").\r\n\r\nDo you want to recover them?\r\nYes opens them in a new window, No discards them." << "written";
    QTest::newRow("file name that looks like markup") << "Can't open file: /tmp/a&lt;b&gt;.htm" << "written";
    QTest::newRow("word wider than the screen") << "Can't open file: " + QString(400, 'x') << "broken";
    QTest::newRow("100 KB path") << "The file /home/" + QString("folder/").repeated(100 * 1024 / 7) + " is already open"
                                 << "shortened";
}

// The box gets the text to the letter and wraps it itself, within the screen.
void TestQtPlatform::longMessageShownAsWritten()
{
    QFETCH(QString, text);
    QFETCH(QString, shownAs);
    QString shown;
    QString labelText;
    QRect frame;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        shown = box->text();
        // Qt's name for the label that holds the text, the one a screen reader reads.
        if (auto *label = box->findChild<QLabel *>("qt_msgbox_label"))
            labelText = label->text();
        frame = box->frameGeometry();
        box->accept();
    });
    QtPlatform real;
    real.messageBox("Vornel", text, MsgButtons::YesNoCancel, MsgIcon::Question);
    QCOMPARE(labelText, shown);
    if (shownAs == "written") {
        QCOMPARE(shown, text);
    } else if (shownAs == "broken") {
        QVERIFY(shown.contains('\n'));
        QCOMPARE(QString(shown).remove('\n'), text);
    } else {
        QVERIFY(shown.size() < 1000);
        QVERIFY(shown.contains("..."));
        QCOMPARE(shown.left(20), text.left(20));
        QCOMPARE(shown.right(20), text.right(20));
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(frame.width() <= screen.width() && frame.height() <= screen.height(),
             qPrintable(QString("%1x%2").arg(frame.width()).arg(frame.height())));
}

void TestQtPlatform::inputBox()
{
    QString shownTitle;
    QString shownPrompt;
    QString shownDefault;
    whenShown<QInputDialog>([&](QInputDialog *dialog) {
        shownTitle = dialog->windowTitle();
        shownPrompt = dialog->labelText();
        shownDefault = dialog->textValue();
        dialog->setTextValue("chapter2");
        dialog->accept();
    });
    QtPlatform real;
    QCOMPARE(real.inputBox("Anchor", "Anchor name:", "top"), QString("chapter2"));
    QCOMPARE(shownTitle, QString("Anchor"));
    QCOMPARE(shownPrompt, QString("Anchor name:"));
    QCOMPARE(shownDefault, QString("top"));

    whenShown<QInputDialog>([](QInputDialog *dialog) {
        dialog->setTextValue("typed, then cancelled");
        dialog->reject();
    });
    QCOMPARE(real.inputBox("Anchor", "Anchor name:", "top"), QString());
}

void TestQtPlatform::saveDialog()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    CommonDialog dialog;
    dialog.dialogTitle = "Save Page";
    dialog.filter = "Web pages|*.htm;*.html|Text|*.txt|All Files (*.*)|*.*";
    dialog.filterIndex = 2;
    dialog.initDir = folder.path();
    dialog.defaultExt = "htm";

    QString shownTitle;
    QString preselectedFilter;
    QString shownFolder;
    bool confirmsOverwrite = true;
    bool saving = false;
    whenShown<QFileDialog>([&](QFileDialog *fileDialog) {
        shownTitle = fileDialog->windowTitle();
        preselectedFilter = fileDialog->selectedNameFilter();
        shownFolder = fileDialog->directory().absolutePath();
        confirmsOverwrite = !fileDialog->testOption(QFileDialog::DontConfirmOverwrite);
        saving = fileDialog->acceptMode() == QFileDialog::AcceptSave;
        fileDialog->selectNameFilter(fileDialog->nameFilters().at(2));
        fileDialog->selectFile("page");
        static_cast<QDialog *>(fileDialog)->accept();  // QFileDialog hides accept()
    });
    QtPlatform real;
    QVERIFY(real.showSaveDialog(dialog));
    QCOMPARE(shownTitle, QString("Save Page"));
    QCOMPARE(preselectedFilter, QString("Text (*.txt)"));
    QCOMPARE(shownFolder, QDir(folder.path()).absolutePath());
    QVERIFY(!confirmsOverwrite);
    QVERIFY(saving);
    QCOMPARE(dialog.fileName, QDir(folder.path()).absoluteFilePath("page.htm"));
    QCOMPARE(dialog.fileTitle, QString("page.htm"));
    QCOMPARE(dialog.filterIndex, 3);
}

void TestQtPlatform::saveDialogDefaultTitleAndOverwritePrompt()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    CommonDialog dialog;
    dialog.filter = "Text|*.txt";
    dialog.flags = FileDialogFlags::OverwritePrompt;
    dialog.fileName = QDir(folder.path()).absoluteFilePath("notes.txt");

    QString shownTitle;
    bool confirmsOverwrite = false;
    whenShown<QFileDialog>([&](QFileDialog *fileDialog) {
        shownTitle = fileDialog->windowTitle();
        confirmsOverwrite = !fileDialog->testOption(QFileDialog::DontConfirmOverwrite);
        static_cast<QDialog *>(fileDialog)->accept();  // QFileDialog hides accept()
    });
    QtPlatform real;
    QVERIFY(real.showSaveDialog(dialog));

    QFileDialog reference;
    reference.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(shownTitle, reference.windowTitle());
    QVERIFY(confirmsOverwrite);
    // The preset name is what the user accepted.
    QCOMPARE(dialog.fileName, QDir(folder.path()).absoluteFilePath("notes.txt"));
    QCOMPARE(dialog.fileTitle, QString("notes.txt"));
    QCOMPARE(dialog.filterIndex, 1);
}

void TestQtPlatform::openDialog()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString existing = QDir(folder.path()).absoluteFilePath("index.htm");
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    CommonDialog dialog;
    dialog.dialogTitle = "Open";
    dialog.filter = "Web pages|*.htm;*.html|All Files (*.*)|*.*";
    dialog.filterIndex = 7;  // out of range: the first filter
    dialog.flags = FileDialogFlags::FileMustExist | FileDialogFlags::HideReadOnly;
    dialog.initDir = folder.path();

    QString preselectedFilter;
    bool existingOnly = false;
    bool opening = false;
    whenShown<QFileDialog>([&](QFileDialog *fileDialog) {
        preselectedFilter = fileDialog->selectedNameFilter();
        existingOnly = fileDialog->fileMode() == QFileDialog::ExistingFile;
        opening = fileDialog->acceptMode() == QFileDialog::AcceptOpen;
        fileDialog->selectFile("index.htm");
        static_cast<QDialog *>(fileDialog)->accept();  // QFileDialog hides accept()
    });
    QtPlatform real;
    QVERIFY(real.showOpenDialog(dialog));
    QCOMPARE(preselectedFilter, QString("Web pages (*.htm *.html)"));
    QVERIFY(existingOnly);
    QVERIFY(opening);
    QCOMPARE(dialog.fileName, existing);
    QCOMPARE(dialog.fileTitle, QString("index.htm"));
    QCOMPARE(dialog.filterIndex, 1);
}

void TestQtPlatform::fileDialogCancelKeepsFields()
{
    CommonDialog dialog;
    dialog.filter = "Text|*.txt";
    dialog.filterIndex = 1;
    dialog.fileName = "/nowhere/old.txt";
    dialog.fileTitle = "old.txt";
    const CommonDialog before = dialog;

    QtPlatform real;
    whenShown<QFileDialog>([](QFileDialog *fileDialog) { fileDialog->reject(); });
    QVERIFY(!real.showOpenDialog(dialog));
    compareDialogFields(dialog, before);

    whenShown<QFileDialog>([](QFileDialog *fileDialog) { fileDialog->reject(); });
    QVERIFY(!real.showSaveDialog(dialog));
    compareDialogFields(dialog, before);
}

void TestQtPlatform::clipboardRoundTrip()
{
    QtPlatform real;
    real.setClipboardText("<P>Grüße &amp; more</P>\r\n");
    QCOMPARE(real.clipboardText(), QString("<P>Grüße &amp; more</P>\r\n"));
    real.setClipboardText(QString());
    QCOMPARE(real.clipboardText(), QString());
}

void TestQtPlatform::startProgram()
{
    QtPlatform real;
    QVERIFY(!real.startProgram("/nonexistent/viewer", {}));

    const QString shell = QStandardPaths::findExecutable("sh");
    if (shell.isEmpty())
        QSKIP("no shell to start");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString marker = QDir(folder.path()).absoluteFilePath("started");
    QVERIFY(real.startProgram(shell, {"-c", "echo \"$1\" > \"$2\"", "sh", "page.htm", marker}));
    QTRY_VERIFY(QFile::exists(marker) && QFile(marker).size() > 0);
    QFile written(marker);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("page.htm\n"));
}

void TestQtPlatform::keyLockStateUnknownOffX11()
{
    if (QGuiApplication::platformName() == "xcb")
        QSKIP("runs on X11, where the state is known");
    QVERIFY(!QtPlatform().keyLockState().known);
}

void TestQtPlatform::keyLockStateOnX11()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs an X11 display (run with -platform xcb)");
    QVERIFY(QtPlatform().keyLockState().known);
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qt_platform.moc"
