#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornel {

class HistoryComboBox;
class StatusHints;
class Workspace;

enum class ImageAlignment { Top, Middle, Bottom };

// " ALIGN=top " and so on, a blank either side.
QString alignmentText(ImageAlignment alignment);

// The body of the IMG tag, values as typed: "IMG", " ISMAP" for a map, the alignment text,
// ALT="altText" and a blank when there is alternate text, then SRC="source" after a blank.
QString imageTagBody(ImageAlignment alignment, const QString &altText, bool isMap, const QString &source);

// The image dialog (frmGIF), "Define Image": the image file in LIBListBox (history
// gif-list.qvl), its alignment, its alternate text (AltText) and whether it is an image map
// (btnIsmap). OK leaves the tag body in dialogResultText(), Cancel leaves it empty; the
// history file is brought up to date however the dialog closes.
//
// Bottom is checked when the dialog opens and counts as chosen: the tag always says the
// alignment the dialog shows.
class ImageDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Define Image");

    explicit ImageDialog(Workspace &workspace);

    HistoryComboBox *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *removeButton() const { return m_remove; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *helpButton() const { return m_help; }
    QRadioButton *alignButton(ImageAlignment alignment) const;
    QLineEdit *altText() const { return m_altText; }
    QCheckBox *isMap() const { return m_isMap; }
    const StatusHints &hints() const { return *m_hints; }

    ImageAlignment alignment() const;
    // The tag body OK would hand back now.
    QString tagBody() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showHelp();
    void browse();
    void updateOk();

    Workspace &m_workspace;
    HistoryComboBox *m_list;
    QPushButton *m_remove;
    QPushButton *m_browse;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_help;
    QRadioButton *m_align[3] = {};
    QLabel *m_altLabel;
    QLineEdit *m_altText;
    QCheckBox *m_isMap;
    StatusHints *m_hints;
};

enum class ImageMapBox { Shown, Hidden };

// What the Insert Image command and the Inline Image button do: show the dialog with the
// shared open-file dialog titled "Locate Image" and filtered for GIF files, then reset the
// title. Returns the tag body to insert, empty when cancelled. An image bullet is no image
// map, so its callers hide that box.
QString showImageDialog(Workspace &workspace, ImageMapBox mapBox = ImageMapBox::Shown);

} // namespace vornel
