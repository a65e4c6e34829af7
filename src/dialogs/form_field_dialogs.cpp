#include "dialogs/form_field_dialogs.h"

#include "dialogs/form_markup.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/number_box.h"
#include "dialogs/server_path.h"
#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/program_folder.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vornel {

namespace {

const QString kFieldTextHint = QStringLiteral("Default field text");

} // namespace

// ---- what the three dialogs share ----

FormDialog::FormDialog(TextArea *area, Workspace &workspace, const QString &objectName)
    : QDialog(workspace.dialogParent())
    , m_area(area)
    , m_workspace(workspace)
    , m_name(new QLineEdit(this))
    , m_ok(newOkButton(this))
    , m_cancel(newCancelButton(this))
    , m_fields(new QGridLayout)
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(objectName);

    m_ok->setEnabled(false);
    m_hints->add(m_ok, QStringLiteral("Close this window and create form section"));
    m_hints->add(m_cancel, QStringLiteral("Close this window, aborting action"));

    m_name->setObjectName(QStringLiteral("NameBox"));
    addField(QStringLiteral("lblName"), tr("Name"), m_name, QStringLiteral("Form field name"));
    selectOnEntry(m_name);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto *column = new QVBoxLayout;
    column->addLayout(m_fields);
    column->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addLayout(buttons);
}

void FormDialog::setCaption(const QString &caption)
{
    setWindowTitle(caption);
    m_hints->add(this, QStringLiteral("Format ") + caption.toLower());
}

QLabel *FormDialog::addField(const QString &labelName, const QString &label, QWidget *field, const QString &hint)
{
    auto *caption = new QLabel(label, this);
    caption->setObjectName(labelName);
    caption->setBuddy(field);
    const int row = m_fields->rowCount();
    // A label beside a box of several lines stands at its first line.
    m_fields->addWidget(caption, row, 0, qobject_cast<TextArea *>(field) ? Qt::AlignTop : Qt::Alignment());
    m_fields->addWidget(field, row, 1);
    if (qobject_cast<QLineEdit *>(field))
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 30);
    addHint(field, hint);
    return caption;
}

NumberBox *FormDialog::addNumberBox(const QString &name, const QString &labelName, const QString &label, int top,
                                    const QString &text, const QString &hint)
{
    auto *box = new NumberBox(top, text, this);
    box->setObjectName(name);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    auto *row = new QHBoxLayout;
    row->addWidget(box);
    row->addStretch(1);
    auto *caption = new QLabel(label, this);
    caption->setObjectName(labelName);
    caption->setBuddy(box);
    const int at = m_fields->rowCount();
    m_fields->addWidget(caption, at, 0);
    m_fields->addLayout(row, at, 1);
    addHint(box, hint);
    return box;
}

void FormDialog::selectOnEntry(QWidget *box)
{
    m_selectOnEntry.insert(box);
    box->installEventFilter(this);
}

void FormDialog::addHint(QWidget *field, const QString &hint)
{
    m_hints->add(field, hint);
    // Mouse moves over the typing part of a composite field go to that part.
    if (auto *list = qobject_cast<HistoryComboBox *>(field))
        m_hints->add(list->lineEdit(), hint);
    else if (auto *number = qobject_cast<NumberBox *>(field))
        m_hints->add(number->editor(), hint);
    else if (auto *text = qobject_cast<TextArea *>(field))
        m_hints->add(text->viewport(), hint);
}

void FormDialog::setOkEnabled(bool enabled)
{
    m_ok->setEnabled(enabled);
}

void FormDialog::placeOnScreen()
{
    centreOnScreen(*this);
}

void FormDialog::writeField(const QString &tag, const std::function<QString(const QString &selected)> &tail)
{
    if (m_area) {
        EditGroup group(*m_area);
        insertInlineTag(*m_area, tag, false);
        m_area->setSelText(tail(m_area->selText()));
    }
    accept();
}

bool FormDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Selected once the click that brought the focus has placed the cursor, so typing
    // replaces the whole text however the box was entered.
    if (event->type() == QEvent::FocusIn && m_selectOnEntry.contains(watched)) {
        if (auto *line = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, line, &QLineEdit::selectAll);
        else if (auto *text = qobject_cast<TextArea *>(watched))
            QTimer::singleShot(0, text, &TextArea::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the input field ----

FormFieldDialog::FormFieldDialog(TextArea *area, Workspace &workspace, const QString &fieldType)
    : FormDialog(area, workspace, QStringLiteral("frmInputField"))
    , m_type(fieldType)
    , m_value(new QLineEdit(this))
    , m_checked(new QCheckBox(tr("Checked by default?"), this))
    , m_imageFrame(new QFrame(this))
    , m_images(new HistoryComboBox(m_imageFrame))
    , m_browse(new QPushButton(tr("Browse..."), m_imageFrame))
{
    m_value->setObjectName(QStringLiteral("ValueBox"));
    m_valueLabel = addField(QStringLiteral("lblValue"), tr("Text"), m_value, kFieldTextHint);
    selectOnEntry(m_value);

    // The image stands where the text would.
    m_imageFrame->setObjectName(QStringLiteral("fraImage"));
    m_imageFrame->setFrameShape(QFrame::StyledPanel);
    m_images->setObjectName(QStringLiteral("Combo1"));
    m_images->setMinimumContentsLength(24);
    m_browse->setObjectName(QStringLiteral("btnBrowse"));
    m_browse->setAutoDefault(false);
    auto *imageRow = new QHBoxLayout(m_imageFrame);
    imageRow->addWidget(m_images, 1);
    imageRow->addWidget(m_browse);
    fields()->addWidget(m_imageFrame, fields()->rowCount() - 1, 1);
    addHint(m_images, QStringLiteral("Select from list of previously used images"));
    addHint(m_browse, QStringLiteral("Locate image on the available file system"));
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });

    m_width = addNumberBox(QStringLiteral("NumRows"), QStringLiteral("lblWidth"), tr("Width"), 49,
                           QStringLiteral("20"), QStringLiteral("Width of text area"));
    m_width->setSelectsOnEntry(false);
    m_maxLength = addNumberBox(QStringLiteral("NumCols"), QStringLiteral("lblMaxLength"), tr("Maximum Length"), 120,
                               QStringLiteral("20"), QStringLiteral("Maximum length of input data"));
    m_checked->setObjectName(QStringLiteral("Check1"));
    fields()->addWidget(m_checked, fields()->rowCount(), 1);
    addHint(m_checked, QStringLiteral("Define if field should be selected by default"));

    // Only what the type needs is shown.
    const InputFieldLayout layout = inputFieldLayout(m_type);
    for (const char *sizePart : {"NumRows", "NumCols", "lblWidth", "lblMaxLength"})
        findChild<QWidget *>(QLatin1StringView(sizePart))->setVisible(layout.sizes);
    m_checked->setVisible(layout.checkBox);
    m_imageFrame->setVisible(layout.image);
    m_value->setVisible(!layout.image);
    if (layout.image) {
        m_valueLabel->setText(tr("Image"));
        m_valueLabel->setBuddy(m_images);
        setCaption(QStringLiteral("Submition by Clickable Image"));
        m_images->loadHistory(historyFilePath(QStringLiteral("gif-list.qvl")));
    } else {
        setCaption(QStringLiteral("Form Input Field"));
    }

    connect(nameBox(), &QLineEdit::textChanged, this, [this] { updateOk(); });
    connect(m_value, &QLineEdit::textChanged, this, [this] { updateOk(); });
    connect(m_images, &QComboBox::editTextChanged, this, [this] { updateOk(); });
    connect(okButton(), &QPushButton::clicked, this, [this] { write(); });
    nameBox()->setFocus();
    placeOnScreen();
}

QString FormFieldDialog::tag() const
{
    InputFieldValues values;
    values.fieldType = m_type;
    values.name = nameBox()->text();
    values.value = m_value->text();
    values.width = m_width->text();
    values.maxLength = m_maxLength->text();
    values.checked = m_checked->isChecked();
    values.image = m_images->currentText();
    return inputFieldTag(values);
}

void FormFieldDialog::updateOk()
{
    const InputFieldLayout layout = inputFieldLayout(m_type);
    if (layout.image)
        setOkEnabled(!m_images->currentText().isEmpty());
    else if (layout.checkBox)
        setOkEnabled(!nameBox()->text().isEmpty() && !m_value->text().isEmpty());
    else
        setOkEnabled(!nameBox()->text().isEmpty());
}

void FormFieldDialog::browse()
{
    if (const std::optional<QString> path = browseServerPath(workspace().commonDialog(), kFormImageBrowse))
        m_images->enterText(*path);
}

void FormFieldDialog::write()
{
    // A typed or browsed image joins the list; one picked from it is there already.
    if (inputFieldLayout(m_type).image)
        m_images->saveHistory();
    writeField(tag(), inputFieldTail);
}

// ---- the select list ----

FormSelectDialog::FormSelectDialog(TextArea *area, Workspace &workspace, const QString &selectOption)
    : FormDialog(area, workspace, QStringLiteral("frmSelect"))
    , m_option(selectOption)
{
    setCaption(QStringLiteral("Form Select Field"));
    m_length = addNumberBox(QStringLiteral("ListLength"), QStringLiteral("lblListLength"),
                            tr("Number of option items to show in select field"), 20, QStringLiteral("6"),
                            QStringLiteral("Number of rows to show in list area"));
    connect(nameBox(), &QLineEdit::textChanged, this, [this](const QString &name) { setOkEnabled(!name.isEmpty()); });
    connect(okButton(), &QPushButton::clicked, this, [this] { writeField(tag(), selectTail); });
    nameBox()->setFocus();
    placeOnScreen();
}

QString FormSelectDialog::tag() const
{
    return selectTag(m_option, nameBox()->text(), m_length->text());
}

// ---- the text area ----

FormTextAreaDialog::FormTextAreaDialog(TextArea *area, Workspace &workspace)
    : FormDialog(area, workspace, QStringLiteral("frmTextArea"))
    , m_text(new TextArea(this))
{
    setCaption(QStringLiteral("Form Text Area"));
    m_rows = addNumberBox(QStringLiteral("NumRows"), QStringLiteral("lblRows"), tr("Rows"), 49, QStringLiteral("1"),
                          QStringLiteral("Number of rows in text area"));
    m_columns = addNumberBox(QStringLiteral("NumCols"), QStringLiteral("lblColumns"), tr("Columns"), 120,
                             QStringLiteral("20"), QStringLiteral("Number of columns in text area"));

    m_text->setObjectName(QStringLiteral("DefaultText"));
    m_text->setTabChangesFocus(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 4 + 2 * m_text->frameWidth() + 8);
    if (area)
        m_text->setText(area->selText());
    addField(QStringLiteral("lblText"), tr("Text"), m_text, kFieldTextHint);
    selectOnEntry(m_text);

    connect(nameBox(), &QLineEdit::textChanged, this, [this](const QString &name) { setOkEnabled(!name.isEmpty()); });
    connect(okButton(), &QPushButton::clicked, this, [this] {
        const QString defaultText = m_text->text();
        writeField(tag(), [&defaultText](const QString &) { return textAreaTail(defaultText); });
    });
    nameBox()->setFocus();
    placeOnScreen();
}

QString FormTextAreaDialog::tag() const
{
    return textAreaTag(nameBox()->text(), m_rows->text(), m_columns->text());
}

// ---- the Forms menu's commands ----

namespace {

TextArea *activeText(Workspace &workspace)
{
    const DocumentWindow *document = workspace.activeDocument();
    return document ? document->textArea() : nullptr;
}

} // namespace

void inputFieldCommand(Workspace &workspace, const QString &fieldType)
{
    if (TextArea *text = activeText(workspace)) {
        FormFieldDialog dialog(text, workspace, fieldType);
        runModalDialog(dialog);
    }
}

void selectFieldCommand(Workspace &workspace, const QString &selectOption)
{
    if (TextArea *text = activeText(workspace)) {
        FormSelectDialog dialog(text, workspace, selectOption);
        runModalDialog(dialog);
    }
}

void textAreaCommand(Workspace &workspace)
{
    if (TextArea *text = activeText(workspace)) {
        FormTextAreaDialog dialog(text, workspace);
        runModalDialog(dialog);
    }
}

} // namespace vornel
