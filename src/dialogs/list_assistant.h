#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornel {

class TextArea;
class Workspace;

// The kind of list last chosen: "DIR", "MENU", "OL", "UL", an image bullet, or empty for no
// list. The list assistant writes it while it is open; the toolbar's list buttons read it.
QString &currentListKind();
// The image bullet ("<BR><IMG ...>") last used in this run; the toolbar's image-list button
// uses and sets it too. Not kept between runs.
QString &lastImageBullet();

// The list assistant (frmListAssist), "List Assist": the option buttons optList(0..4)
// (directory, menu, ordered, unordered and image-bullet lists), the image bullet box txtImage
// with cmdBrowse, cmdOK and cmdCancel. Choosing an option sets currentListKind() at once; any
// way of closing it but OK empties it.
class ListAssistant : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("List Assist");
    static constexpr int kImageOption = 4;

    explicit ListAssistant(Workspace &workspace);

    QRadioButton *option(int index) const;
    QLineEdit *imageBullet() const { return m_image; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int index);
    void imageEdited();
    void browse();
    bool imageChosen() const;

    Workspace &m_workspace;
    QRadioButton *m_options[5] = {};
    QLineEdit *m_image;
    QPushButton *m_browse;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

// The ListAssist command on a document: with text selected the chosen kind turns it into a
// list; with nothing selected it writes a list skeleton, or four lines that start with the
// image bullet. The keyboard goes back to the text area afterwards.
void listAssistCommand(Workspace &workspace, TextArea &area);

} // namespace vornel
