#pragma once

#include "platform/platform.h"
#include "prefs/preference_edits.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vornel {

class StatusHints;
class Workspace;

// The preference dialog (ConfigWindow), "Preference Configuration". Tab "Location of Files":
// the nine location fields Text1(0..8) with their labels Label1(0..8), Browse(i) for all but
// fields 5 and 8, the web-server check box chkDOSFS and its Help (Command5). Tab "General":
// btnForeColor, btnFont, btnBackColor and the Sample text showing the working copy of font and
// colours; the Enter-key options EnterSelect(0..1) with Command1 "Enter Key &Help"; the
// template list List1; the e-mail address txtEmailAddr. OK (Command3) copies it all into the
// preference record; Cancel (Command2) leaves the record alone.
class PreferenceDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Preference Configuration");

    explicit PreferenceDialog(Workspace &workspace);

    QTabWidget *tabs() const { return m_tabs; }
    // Text1(index) and Browse(index); Browse is nullptr for fields 5 and 8.
    QLineEdit *locationField(int index) const;
    QPushButton *browseButton(int index) const;
    QCheckBox *webServerBox() const { return m_webServer; }
    QPushButton *webServerHelpButton() const { return m_webServerHelp; }
    QPushButton *foreColorButton() const { return m_foreColor; }
    QPushButton *fontButton() const { return m_font; }
    QPushButton *backColorButton() const { return m_backColor; }
    QLabel *sample() const { return m_sample; }
    QRadioButton *enterOption(int index) const;
    QPushButton *enterHelpButton() const { return m_enterHelp; }
    QComboBox *templateList() const { return m_templates; }
    QLineEdit *emailField() const { return m_email; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    const StatusHints &hints() const { return *m_hints; }

    // The working copy of font and colours that the sample shows.
    const EditorLook &look() const { return m_look; }
    // Everything as the dialog holds it now, as OK would commit it.
    PreferenceEdits edits() const;

    // Browse(index) clicked.
    void browse(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildLocationTab();
    QWidget *buildGeneralTab();
    void addHints();
    void fill(const PreferenceEdits &edits);
    void showLook();
    void updateBrowseButtons();
    void chooseColor(qint32 EditorLook::*color);
    void chooseFont();
    void browseDirectory(int index);
    void browseViewer();
    void browseHomePage();
    void browseHomePicture();
    void commit();

    Workspace &m_workspace;
    // The dialog's own file dialog (configCDlg), for picking the viewer.
    CommonDialog m_configDialog;
    EditorLook m_look;
    QTabWidget *m_tabs;
    QLabel *m_labels[kLocationFieldCount] = {};
    QLineEdit *m_fields[kLocationFieldCount] = {};
    QPushButton *m_browse[kLocationFieldCount] = {};
    QCheckBox *m_webServer = nullptr;
    QPushButton *m_webServerHelp = nullptr;
    QGroupBox *m_frames[3] = {};   // e-mail, template, font and colours
    QGroupBox *m_enterFrame = nullptr;
    QPushButton *m_foreColor = nullptr;
    QPushButton *m_font = nullptr;
    QPushButton *m_backColor = nullptr;
    QLabel *m_sampleLabel = nullptr;
    QLabel *m_sample = nullptr;
    QRadioButton *m_enter[2] = {};
    QPushButton *m_enterHelp = nullptr;
    QComboBox *m_templates = nullptr;
    QLineEdit *m_email = nullptr;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    StatusHints *m_hints;
};

// Window > Preferences... in either menu bar: shows the dialog modally (through
// runModalDialog, so a test can answer it).
void preferencesCommand(Workspace &workspace);

} // namespace vornel
