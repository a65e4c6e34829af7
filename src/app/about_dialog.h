#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vornel {

// The About box (About): program name, version and a few words about the program, with an OK button.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("About Vornel");

    explicit AboutDialog(QWidget *parent = nullptr);

    QLabel *productLabel() const { return m_product; }
    QLabel *versionLabel() const { return m_version; }
    QLabel *descriptionLabel() const { return m_description; }
    QPushButton *okButton() const { return m_ok; }

private:
    QLabel *m_product;
    QLabel *m_version;
    QLabel *m_description;
    QPushButton *m_ok;
};

// Help > "&About Vornel": the About box, modal over parent.
void showAboutBox(QWidget *parent);

} // namespace vornel
