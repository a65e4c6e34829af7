#include "app/main_window.h"
#include "dialogs/form_field_dialogs.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/number_box.h"
#include "dialogs/server_path.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/test_files.h"
#include "support/hover.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QByteArray kHistory = "a.gif\r\nb.gif\r\n";

enum class Kind { Input, Select, TextArea };

// Where the mouse lands over a field: composite fields take moves in their typing part.
QWidget *mouseTarget(QWidget *field)
{
    if (auto *list = qobject_cast<QComboBox *>(field))
        return list->lineEdit();
    if (auto *number = qobject_cast<NumberBox *>(field))
        return number->editor();
    if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        return text->viewport();
    return field;
}

// Replaces a number box's text by keys, as a user would.
void typeNumber(NumberBox *box, const QString &text)
{
    if (text.isEmpty())
        return;
    box->editor()->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestFormFieldDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;
    int m_dialogsShown = 0;

    QString historyPath() const { return m_folder->filePath(QStringLiteral("gif-list.qvl")); }

    TextArea *textArea(const QString &marked)
    {
        TextArea *area = m_app->newDocument()->textArea();
        setMarked(*area, parseMarked(marked));
        return area;
    }

    std::unique_ptr<FormDialog> dialogOf(Kind kind, const QString &fieldType, TextArea *area = nullptr)
    {
        switch (kind) {
        case Kind::Input: return std::make_unique<FormFieldDialog>(area, *m_app->main(), fieldType);
        case Kind::Select: return std::make_unique<FormSelectDialog>(area, *m_app->main(), fieldType);
        case Kind::TextArea: break;
        }
        return std::make_unique<FormTextAreaDialog>(area, *m_app->main());
    }

private Q_SLOTS:
    void init()
    {
        m_dialogsShown = 0;
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_folder->isValid());
        QVERIFY(m_app->showMain());
        QVERIFY(writeFile(historyPath(), kHistory));
    }
    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        m_folder.reset();
    }

    void inputFieldShowsWhatItsTypeNeeds_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("sizes");
        QTest::addColumn<bool>("checkBox");
        QTest::addColumn<bool>("image");
        const QString input = QStringLiteral("Form Input Field");
        QTest::newRow("TEXT") << "TEXT" << input << true << false << false;
        QTest::newRow("PASSWORD") << "PASSWORD" << input << true << false << false;
        QTest::newRow("CHECKBOX") << "CHECKBOX" << input << false << true << false;
        QTest::newRow("RADIO") << "RADIO" << input << false << true << false;
        QTest::newRow("SUBMIT") << "SUBMIT" << input << false << false << false;
        QTest::newRow("RESET") << "RESET" << input << false << false << false;
        QTest::newRow("IMAGE") << "IMAGE" << "Submition by Clickable Image" << false << false << true;
        QTest::newRow("HIDDEN") << "HIDDEN" << input << false << false << false;
    }
    void inputFieldShowsWhatItsTypeNeeds()
    {
        QFETCH(QString, type);
        QFETCH(QString, caption);
        QFETCH(bool, sizes);
        QFETCH(bool, checkBox);
        QFETCH(bool, image);
        FormFieldDialog dialog(nullptr, *m_app->main(), type);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmInputField"));
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.fieldType(), type);
        const auto shown = [&dialog](const char *name) {
            return dialog.findChild<QWidget *>(QLatin1StringView(name))->isVisibleTo(&dialog);
        };
        for (const char *name : {"NumRows", "NumCols", "lblWidth", "lblMaxLength"})
            QCOMPARE(shown(name), sizes);
        QCOMPARE(shown("Check1"), checkBox);
        for (const char *name : {"fraImage", "Combo1", "btnBrowse"})
            QCOMPARE(shown(name), image);
        QVERIFY(shown("NameBox"));
        QCOMPARE(shown("ValueBox"), !image);
        QCOMPARE(dialog.valueLabel()->text(), image ? QStringLiteral("Image") : QStringLiteral("Text"));
        QCOMPARE(dialog.imageList()->count(), image ? 2 : 0);
        QCOMPARE(dialog.imageList()->currentText(), QString());
        QCOMPARE(dialog.widthBox()->text(), QStringLiteral("20"));
        QVERIFY(dialog.okButton()->isDefault());
        QVERIFY(!dialog.okButton()->isEnabled());
    }

    void okRule_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("TEXT, no name") << "TEXT" << "" << "v" << "" << false;
        QTest::newRow("TEXT, name") << "TEXT" << "n" << "" << "" << true;
        QTest::newRow("HIDDEN, name") << "HIDDEN" << "n" << "" << "" << true;
        QTest::newRow("SUBMIT, no name") << "SUBMIT" << "" << "Send" << "" << false;
        QTest::newRow("CHECKBOX, name only") << "CHECKBOX" << "n" << "" << "" << false;
        QTest::newRow("CHECKBOX, value only") << "CHECKBOX" << "" << "v" << "" << false;
        QTest::newRow("RADIO, name and value") << "RADIO" << "n" << "v" << "" << true;
        QTest::newRow("IMAGE, name only") << "IMAGE" << "n" << "" << "" << false;
        QTest::newRow("IMAGE, image only") << "IMAGE" << "" << "" << "b.gif" << true;
    }
    void okRule()
    {
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, image);
        QFETCH(bool, enabled);
        FormFieldDialog dialog(nullptr, *m_app->main(), type);
        QTest::keyClicks(dialog.nameBox(), name);
        if (dialog.valueBox()->isVisibleTo(&dialog))
            QTest::keyClicks(dialog.valueBox(), value);
        QTest::keyClicks(dialog.imageList()->lineEdit(), image);
        QCOMPARE(dialog.okButton()->isEnabled(), enabled);
        // Emptying the name again is seen too.
        dialog.nameBox()->clear();
        if (type != u"IMAGE")
            QVERIFY(!dialog.okButton()->isEnabled());
    }

    void inputFieldWritesItsMarkup_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("maxLength");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("TEXT") << "TEXT" << "q" << "" << false << "" << "" << "40" << "|"
                              << R"(<INPUT NAME="q" TYPE="TEXT" SIZE="20" MAXLENGTH="40"><BR>~|)";
        QTest::newRow("PASSWORD, sizes as typed")
            << "PASSWORD" << "pw" << "" << false << "" << "75" << "-3" << "|"
            << R"(<INPUT NAME="pw" TYPE="PASSWORD" SIZE="75" MAXLENGTH="-3"><BR>~|)";
        QTest::newRow("RADIO") << "RADIO" << "c" << "v" << true << "" << "" << "" << "|"
                               << R"(<INPUT NAME="c" TYPE="RADIO" VALUE="v" CHECKED><BR>~|)";
        QTest::newRow("CHECKBOX behind a selection")
            << "CHECKBOX" << "c" << "v" << false << "" << "" << "" << "ab[cd]ef"
            << R"(ab<INPUT NAME="c" TYPE="CHECKBOX" VALUE="v">cd<BR>~|ef)";
        QTest::newRow("HIDDEN, as typed") << "HIDDEN" << R"(a "b")" << "1 & 2" << false << "" << "" << "" << "|"
                                          << R"(<INPUT NAME="a "b"" TYPE="HIDDEN" VALUE="1 & 2"><BR>~|)";
        QTest::newRow("IMAGE") << "IMAGE" << "n" << "" << false << "b.gif" << "" << "" << "|"
                               << R"(<INPUT NAME="n" TYPE="IMAGE" SRC="b.gif"><BR>~|)";
    }
    void inputFieldWritesItsMarkup()
    {
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(bool, checked);
        QFETCH(QString, image);
        QFETCH(QString, width);
        QFETCH(QString, maxLength);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TextArea *area = textArea(before);
        FormFieldDialog dialog(area, *m_app->main(), type);
        QTest::keyClicks(dialog.nameBox(), name);
        QTest::keyClicks(dialog.valueBox(), value);
        if (checked)
            dialog.checkBox()->click();
        QTest::keyClicks(dialog.imageList()->lineEdit(), image);
        typeNumber(dialog.widthBox(), width);
        typeNumber(dialog.maxLengthBox(), maxLength);
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(markedText(*area), after);
        // The whole field is one step to undo.
        area->undo();
        QCOMPARE(area->text(), parseMarked(before).text);
    }

    void enterIsOk_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("in the name") << "NameBox";
        QTest::newRow("in a number box") << "NumCols";
    }
    void enterIsOk()
    {
        QFETCH(QString, control);
        TextArea *area = textArea(QStringLiteral("|"));
        FormFieldDialog dialog(area, *m_app->main(), QStringLiteral("TEXT"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.nameBox(), QStringLiteral("go"));
        QWidget *box = dialog.findChild<QWidget *>(control);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(markedText(*area), QStringLiteral(R"(<INPUT NAME="go" TYPE="TEXT" SIZE="20" MAXLENGTH="20"><BR>~|)"));
    }

    void imageHistory_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("typed") << kHistory << false << "c.gif" << kHistory + "c.gif\r\n";
        QTest::newRow("typed, already listed") << kHistory << false << "a.gif" << kHistory + "a.gif\r\n";
        QTest::newRow("picked") << kHistory << true << "" << kHistory;
        QTest::newRow("picked, then edited") << kHistory << true << "x" << kHistory + "a.gifx\r\n";
        QTest::newRow("last line without its end") << QByteArray("a.gif") << false << "c.gif"
                                                    << QByteArray("a.gif\r\nc.gif\r\n");
        QTest::newRow("no file yet") << QByteArray() << false << "c.gif" << QByteArray("c.gif\r\n");
    }
    void imageHistory()
    {
        QFETCH(QByteArray, history);
        QFETCH(bool, pick);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        if (history.isEmpty())
            QVERIFY(QFile::remove(historyPath()));
        else
            QVERIFY(writeFile(historyPath(), history));
        TextArea *area = textArea(QStringLiteral("|"));
        FormFieldDialog dialog(area, *m_app->main(), QStringLiteral("IMAGE"));
        if (pick)
            QTest::keyClick(dialog.imageList(), Qt::Key_Down);
        dialog.imageList()->lineEdit()->end(false);
        QTest::keyClicks(dialog.imageList()->lineEdit(), typed);
        const QString source = dialog.imageList()->currentText();
        dialog.okButton()->click();
        QCOMPARE(readFile(historyPath()), written);
        QCOMPARE(area->text(), QStringLiteral(R"(<INPUT NAME="" TYPE="IMAGE" SRC="%1"><BR>)").arg(source) + "\r\n");
    }

    void browseForTheImage_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void browseForTheImage()
    {
        QFETCH(bool, chosen);
        prefs().GifPath = QStringLiteral("images");
        if (chosen)
            m_app->platform().expectOpenDialog(QStringLiteral("/home/me/pictures/x.gif"));
        else
            m_app->platform().expectOpenDialogCancel();
        TextArea *area = textArea(QStringLiteral("|"));
        FormFieldDialog dialog(area, *m_app->main(), QStringLiteral("IMAGE"));
        QTest::keyClicks(dialog.nameBox(), QStringLiteral("n"));
        QTest::keyClicks(dialog.imageList()->lineEdit(), QStringLiteral("old.gif"));
        dialog.browseButton()->click();
        const PlatformCall shown = m_app->platform().calls().value(0);
        QCOMPARE(shown.title, QStringLiteral("Locate Image"));
        QCOMPARE(shown.dialog.filter, kGifBrowseFilter);
        QCOMPARE(shown.dialog.filterIndex, 1);
        QCOMPARE(m_app->main()->commonDialog().dialogTitle, QString());
        const QString source = chosen ? QStringLiteral("images/x.gif") : QStringLiteral("old.gif");
        QCOMPARE(dialog.imageList()->currentText(), source);
        dialog.okButton()->click();
        QCOMPARE(markedText(*area), QStringLiteral(R"(<INPUT NAME="n" TYPE="IMAGE" SRC="%1"><BR>~|)").arg(source));
        QCOMPARE(readFile(historyPath()), kHistory + source.toLatin1() + "\r\n");
    }

    void selectWritesItsMarkup_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("multiple, the selection as first option")
            << " MULTIPLE " << "col" << "" << "[Red]"
            << R"(<SELECT MULTIPLE  NAME="col" SIZE="6">~<OPTION>Red~<OPTION>~</SELECT>|)";
        QTest::newRow("single, mid-line") << "" << R"(a&"b")" << "3" << "x[Red]y"
                                          << R"(x<SELECT NAME="a&"b"" SIZE="3">~<OPTION>Red~<OPTION>~</SELECT>|y)";
    }
    void selectWritesItsMarkup()
    {
        QFETCH(QString, option);
        QFETCH(QString, name);
        QFETCH(QString, rows);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TextArea *area = textArea(before);
        FormSelectDialog dialog(area, *m_app->main(), option);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmSelect"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Form Select Field"));
        QVERIFY(!dialog.okButton()->isEnabled());
        QTest::keyClicks(dialog.nameBox(), name);
        QVERIFY(dialog.okButton()->isEnabled());
        typeNumber(dialog.listLength(), rows);
        dialog.okButton()->click();
        QCOMPARE(markedText(*area), after);
    }

    void textAreaWritesItsMarkup_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<bool>("retype");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("nothing selected") << "" << "" << false << "|"
                                          << R"(<TEXTAREA NAME="t" ROWS="1" COLS="20"></TEXTAREA>|)";
        QTest::newRow("the selection, line breaks and all") << "4" << "40" << false << "x[a~b%c]y"
                                                            << R"(x<TEXTAREA NAME="t" ROWS="4" COLS="40">a~b%c</TEXTAREA>|y)";
        QTest::newRow("the selection replaced") << "" << "" << true << "[old]"
                                                << R"(<TEXTAREA NAME="t" ROWS="1" COLS="20">new & "q"</TEXTAREA>|)";
    }
    void textAreaWritesItsMarkup()
    {
        QFETCH(QString, rows);
        QFETCH(QString, columns);
        QFETCH(bool, retype);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TextArea *area = textArea(before);
        FormTextAreaDialog dialog(area, *m_app->main());
        QCOMPARE(dialog.objectName(), QStringLiteral("frmTextArea"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Form Text Area"));
        QCOMPARE(dialog.defaultText()->text(), area->selText());
        QTest::keyClicks(dialog.nameBox(), QStringLiteral("t"));
        typeNumber(dialog.rowsBox(), rows);
        typeNumber(dialog.columnsBox(), columns);
        if (retype) {
            dialog.defaultText()->selectAll();
            QTest::keyClicks(dialog.defaultText(), QStringLiteral(R"(new & "q")"));
        }
        dialog.okButton()->click();
        QCOMPARE(markedText(*area), after);
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("escape");
        QTest::newRow("input") << Kind::Input << "TEXT" << false;
        QTest::newRow("image") << Kind::Input << "IMAGE" << false;
        QTest::newRow("image, Esc") << Kind::Input << "IMAGE" << true;
        QTest::newRow("select") << Kind::Select << " MULTIPLE " << false;
        QTest::newRow("text area, Esc") << Kind::TextArea << "" << true;
    }
    void cancelWritesNothing()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, type);
        QFETCH(bool, escape);
        TextArea *area = textArea(QStringLiteral("ab[cd]ef"));
        const auto dialog = dialogOf(kind, type, area);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClicks(dialog->nameBox(), QStringLiteral("n"));
        if (auto *input = qobject_cast<FormFieldDialog *>(dialog.get()))
            QTest::keyClicks(input->imageList()->lineEdit(), QStringLiteral("new.gif"));
        if (escape)
            QTest::keyClick(dialog->nameBox(), Qt::Key_Escape);
        else
            dialog->cancelButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(markedText(*area), QStringLiteral("ab[cd]ef"));
        QCOMPARE(readFile(historyPath()), kHistory);
    }

    void controls_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        const auto row = [](Kind kind, const char *type, const char *control, const char *text, const char *hint) {
            QTest::addRow("%s %s", type, control) << kind << QString::fromLatin1(type) << QString::fromLatin1(control)
                                                  << QString::fromLatin1(text) << QString::fromLatin1(hint);
        };
        const char *ok = "Close this window and create form section";
        const char *cancel = "Close this window, aborting action";
        const char *name = "Form field name";
        const char *fieldText = "Default field text";
        row(Kind::Input, "TEXT", "cmdOK", "OK", ok);
        row(Kind::Input, "TEXT", "cmdCancel", "Cancel", cancel);
        row(Kind::Input, "TEXT", "NameBox", "", name);
        row(Kind::Input, "TEXT", "lblName", "Name", "");
        row(Kind::Input, "TEXT", "ValueBox", "", fieldText);
        row(Kind::Input, "TEXT", "lblValue", "Text", "");
        row(Kind::Input, "TEXT", "NumRows", "20", "Width of text area");
        row(Kind::Input, "TEXT", "lblWidth", "Width", "");
        row(Kind::Input, "TEXT", "NumCols", "20", "Maximum length of input data");
        row(Kind::Input, "TEXT", "lblMaxLength", "Maximum Length", "");
        row(Kind::Input, "TEXT", "frmInputField", "Form Input Field", "Format form input field");
        row(Kind::Input, "RADIO", "Check1", "Checked by default?", "Define if field should be selected by default");
        row(Kind::Input, "IMAGE", "Combo1", "", "Select from list of previously used images");
        row(Kind::Input, "IMAGE", "btnBrowse", "Browse...", "Locate image on the available file system");
        row(Kind::Input, "IMAGE", "lblValue", "Image", "");
        row(Kind::Input, "IMAGE", "frmInputField", "Submition by Clickable Image", "Format submition by clickable image");
        row(Kind::Select, "", "cmdOK", "OK", ok);
        row(Kind::Select, "", "cmdCancel", "Cancel", cancel);
        row(Kind::Select, "", "NameBox", "", name);
        row(Kind::Select, "", "ListLength", "6", "Number of rows to show in list area");
        row(Kind::Select, "", "lblListLength", "Number of option items to show in select field", "");
        row(Kind::Select, "", "frmSelect", "Form Select Field", "Format form select field");
        row(Kind::TextArea, "", "NameBox", "", name);
        row(Kind::TextArea, "", "NumRows", "1", "Number of rows in text area");
        row(Kind::TextArea, "", "lblRows", "Rows", "");
        row(Kind::TextArea, "", "NumCols", "20", "Number of columns in text area");
        row(Kind::TextArea, "", "lblColumns", "Columns", "");
        row(Kind::TextArea, "", "DefaultText", "", fieldText);
        row(Kind::TextArea, "", "lblText", "Text", "");
        row(Kind::TextArea, "", "frmTextArea", "Form Text Area", "Format form text area");
    }
    void controls()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, type);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        const auto dialog = dialogOf(kind, type);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const bool background = dialog->objectName() == control;
        QWidget *target = background ? dialog.get() : dialog->findChild<QWidget *>(control);
        QVERIFY(target);
        QCOMPARE(background ? dialog->windowTitle() : target->property("text").toString(), text);
        m_app->main()->setStatusText(QStringLiteral("before"));
        target = mouseTarget(target);
        hover(target, background ? QPoint(2, 2) : target->rect().center());
        // A label has no hint of its own and is no bare background either.
        QCOMPARE(m_app->main()->statusText(), hint.isEmpty() ? QStringLiteral("before") : hint);
    }

    void enteringTheBoxes_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("selects");
        QTest::newRow("name") << Kind::Input << "NameBox" << true;
        QTest::newRow("text") << Kind::Input << "ValueBox" << true;
        QTest::newRow("width keeps the caret") << Kind::Input << "NumRows" << false;
        QTest::newRow("maximum length") << Kind::Input << "NumCols" << true;
        QTest::newRow("list length") << Kind::Select << "ListLength" << true;
        QTest::newRow("rows") << Kind::TextArea << "NumRows" << true;
        QTest::newRow("default text") << Kind::TextArea << "DefaultText" << true;
    }
    void enteringTheBoxes()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, control);
        QFETCH(bool, selects);
        TextArea *area = textArea(QStringLiteral("[ab]"));
        const auto dialog = dialogOf(kind, QStringLiteral("TEXT"), area);
        QWidget *box = dialog->findChild<QWidget *>(control);
        const auto selected = [box]() -> QString {
            if (auto *number = qobject_cast<NumberBox *>(box))
                return number->editor()->selectedText();
            if (auto *text = qobject_cast<TextArea *>(box))
                return text->selText();
            return qobject_cast<QLineEdit *>(box)->selectedText();
        };
        if (auto *line = qobject_cast<QLineEdit *>(box))
            line->setText(QStringLiteral("ab"));
        const QString whole = box->property("text").isValid() ? box->property("text").toString() : QStringLiteral("ab");
        // However the box is entered.
        for (const Qt::FocusReason reason : {Qt::MouseFocusReason, Qt::TabFocusReason}) {
            if (auto *number = qobject_cast<NumberBox *>(box))
                number->editor()->setCursorPosition(1);
            else if (auto *text = qobject_cast<TextArea *>(box))
                text->setSelStart(1);
            else
                qobject_cast<QLineEdit *>(box)->setCursorPosition(1);
            QFocusEvent in(QEvent::FocusIn, reason);
            QApplication::sendEvent(box, &in);
            QCoreApplication::processEvents();
            QCOMPARE(selected(), selects ? whole : QString());
        }
    }

    void centredOnTheScreen_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("input") << Kind::Input;
        QTest::newRow("select") << Kind::Select;
        QTest::newRow("text area") << Kind::TextArea;
    }
    void centredOnTheScreen()
    {
        QFETCH(Kind, kind);
        const auto dialog = dialogOf(kind, QStringLiteral("IMAGE"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY((dialog->geometry().center() - dialog->screen()->geometry().center()).manhattanLength() <= 2);
    }

    void commandsOpenTheirDialogForTheActiveDocument_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("after");
        QTest::newRow("input field, CHECKBOX")
            << Kind::Input << "CHECKBOX" << R"(Page<INPUT NAME="n" TYPE="CHECKBOX" VALUE="n"><BR>~|)";
        QTest::newRow("select, MULTIPLE")
            << Kind::Select << " MULTIPLE " << R"(Page<SELECT MULTIPLE  NAME="n" SIZE="6">~<OPTION>~<OPTION>~</SELECT>|)";
        QTest::newRow("text area") << Kind::TextArea << "" << R"(Page<TEXTAREA NAME="n" ROWS="1" COLS="20"></TEXTAREA>|)";
    }
    void commandsOpenTheirDialogForTheActiveDocument()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, type);
        QFETCH(QString, after);
        const auto command = [kind, type](Workspace &workspace) {
            switch (kind) {
            case Kind::Input: inputFieldCommand(workspace, type); break;
            case Kind::Select: selectFieldCommand(workspace, type); break;
            case Kind::TextArea: textAreaCommand(workspace); break;
            }
        };
        setModalDialogRunner([this, kind, type](QDialog &shown) {
            ++m_dialogsShown;
            auto *dialog = qobject_cast<FormDialog *>(&shown);
            auto *input = qobject_cast<FormFieldDialog *>(&shown);
            if (!dialog || (kind == Kind::Input) != (input != nullptr) || (input && input->fieldType() != type))
                return int(QDialog::Rejected);
            QTest::keyClicks(dialog->nameBox(), QStringLiteral("n"));
            if (input)
                QTest::keyClicks(input->valueBox(), QStringLiteral("n"));
            dialog->okButton()->click();
            return dialog->result();
        });
        // With no document open there is nothing to write into.
        command(*m_app->main());
        QCOMPARE(m_dialogsShown, 0);
        TextArea *area = textArea(QStringLiteral("Page|"));
        QCOMPARE(m_app->main()->activeDocument()->textArea(), area);
        command(*m_app->main());
        QCOMPARE(m_dialogsShown, 1);
        QCOMPARE(markedText(*area), after);
    }
};

QTEST_MAIN(TestFormFieldDialogs)
#include "tst_form_field_dialogs.moc"
