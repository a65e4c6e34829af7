#pragma once

#include <QDialog>
#include <QList>
#include <QListWidget>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

// What OK of the directory selector writes into location field fieldIndex for the chosen
// directory: field 0 (the local document folder) takes the path as it is; the web server
// fields drop a drive prefix (a letter and a colon) when the path has one, and nothing else.
QString selectedDirectoryText(int fieldIndex, const QString &path);

// A place the drive list offers, with the folder it opens.
struct DirectoryPlace {
    QString name;
    QString root;
};
// The root, the home folder and every mounted volume that is ready, each once, in that order.
QList<DirectoryPlace> directoryPlaces();
// The place whose folder holds path most closely; the first place when none does.
int placeOf(const QList<DirectoryPlace> &places, const QString &path);

// The directory list (Dir1): the opened directory under its parents, then its subfolders.
// Activating an entry (double click or Enter) opens it.
class DirectoryList : public QListWidget {
    Q_OBJECT

public:
    explicit DirectoryList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Opens an existing directory; false (and nothing changes) for anything else.
    bool setPath(const QString &path);
    // The folder an entry opens.
    static QString entryPath(const QListWidgetItem *item);

Q_SIGNALS:
    void pathChanged(const QString &path);

private:
    QString m_path;
};

// The directory selector (frmSelectDir), "Select Directory": a drive list (Drive1) of places,
// the directory list (Dir1), the opened directory in DirectoryLabel and, disabled, the file
// name, the files of the directory and the file type. OK writes the opened directory into
// the location field it serves; Cancel writes nothing.
class DirectorySelector : public QDialog {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Select Directory");

    // field is the location field with index fieldIndex (its tag); the dialog centres itself
    // over centreOver.
    DirectorySelector(QLineEdit *field, int fieldIndex, QWidget *parent, const QWidget *centreOver);

    // Starts at path and its place; a path that is no directory leaves the home folder (or
    // the root when there is none) open.
    void start(const QString &path);

    QComboBox *drives() const { return m_drives; }
    DirectoryList *directories() const { return m_directories; }
    QLabel *directoryLabel() const { return m_directoryLabel; }
    QListWidget *files() const { return m_files; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void showDirectory(const QString &path);

    QLineEdit *m_field;
    int m_fieldIndex;
    QList<DirectoryPlace> m_places;
    QComboBox *m_drives;
    DirectoryList *m_directories;
    QLabel *m_directoryLabel;
    QListWidget *m_files;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace vornel
