#include "dialogs/directory_selector.h"

#include "editor/modal_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <algorithm>

namespace vornel {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool hasDrivePrefix(const QString &path)
{
    return path.size() >= 2 && path.at(0).isLetter() && path.at(0).unicode() < 128 && path.at(1) == u':';
}

bool holds(const QString &folder, const QString &path)
{
    if (folder == u'/')
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

} // namespace

QString selectedDirectoryText(int fieldIndex, const QString &path)
{
    if (fieldIndex == 0 || !hasDrivePrefix(path))
        return path;
    return path.mid(2);
}

QList<DirectoryPlace> directoryPlaces()
{
    QList<DirectoryPlace> places{{QStringLiteral("/"), QDir::rootPath()}};
    const QString home = QDir::homePath();
    if (home != QDir::rootPath() && QFileInfo(home).isDir())
        places.append({home, home});
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool known = std::any_of(places.cbegin(), places.cend(),
                                       [&](const DirectoryPlace &place) { return place.root == root; });
        if (!volume.isValid() || !volume.isReady() || known)
            continue;
        const QString name = volume.displayName();
        places.append({name == root ? root : root + QStringLiteral(" [") + name + u']', root});
    }
    return places;
}

int placeOf(const QList<DirectoryPlace> &places, const QString &path)
{
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < places.size(); ++i) {
        const QString &root = places[i].root;
        if (holds(root, path) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

DirectoryList::DirectoryList(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("Dir1"));
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { setPath(entryPath(item)); });
}

QString DirectoryList::entryPath(const QListWidgetItem *item)
{
    return item ? item->data(kPathRole).toString() : QString();
}

bool DirectoryList::setPath(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    const QString opened = QDir::cleanPath(info.absoluteFilePath());

    clear();
    const QIcon folderIcon = QFileIconProvider().icon(QFileIconProvider::Folder);
    // The opened directory's parents from the root down, each a step further in.
    QStringList chain;
    for (QDir dir(opened);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    const auto addEntry = [&](const QString &folder, int indent) {
        const QString name = QDir(folder).isRoot() ? folder : QDir(folder).dirName();
        auto *item = new QListWidgetItem(folderIcon, QString(indent * 2, u' ') + name, this);
        item->setData(kPathRole, folder);
        return item;
    };
    for (const QString &folder : std::as_const(chain))
        addEntry(folder, depth++);
    setCurrentItem(item(count() - 1));
    const QDir dir(opened);
    for (const QString &child : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        addEntry(dir.filePath(child), depth);

    m_path = opened;
    Q_EMIT pathChanged(m_path);
    return true;
}

DirectorySelector::DirectorySelector(QLineEdit *field, int fieldIndex, QWidget *parent, const QWidget *centreOver)
    : QDialog(parent)
    , m_field(field)
    , m_fieldIndex(fieldIndex)
    , m_places(directoryPlaces())
    , m_drives(new QComboBox(this))
    , m_directories(new DirectoryList(this))
    , m_directoryLabel(new QLabel(this))
    , m_files(new QListWidget(this))
    , m_ok(newOkButton(this, QStringLiteral("Command1")))
    , m_cancel(newCancelButton(this, QStringLiteral("Command2")))
{
    setObjectName(QStringLiteral("frmSelectDir"));
    setWindowTitle(kCaption);

    auto *filesIn = new QLabel(tr("Files &in:"), this);
    filesIn->setObjectName(QStringLiteral("Label1"));
    filesIn->setBuddy(m_directories);
    m_directoryLabel->setObjectName(QStringLiteral("DirectoryLabel"));
    m_drives->setObjectName(QStringLiteral("Drive1"));
    for (const DirectoryPlace &place : std::as_const(m_places))
        m_drives->addItem(place.name);

    // The file controls only show where the directory is; nothing in them can be chosen.
    auto *nameLabel = new QLabel(tr("File &name:"), this);
    nameLabel->setObjectName(QStringLiteral("Label4"));
    auto *name = new QLineEdit(tr("Select Path Only"), this);
    name->setObjectName(QStringLiteral("Text1"));
    name->setEnabled(false);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setEnabled(false);
    auto *typeLabel = new QLabel(tr("Files of &type:"), this);
    typeLabel->setObjectName(QStringLiteral("Label3"));
    auto *type = new QComboBox(this);
    type->setObjectName(QStringLiteral("Combo1"));
    type->setEnabled(false);


    auto *layout = new QGridLayout(this);
    layout->addWidget(nameLabel, 0, 0);
    layout->addWidget(filesIn, 0, 1);
    layout->addWidget(name, 1, 0);
    layout->addWidget(m_directoryLabel, 1, 1);
    layout->addWidget(m_files, 2, 0);
    layout->addWidget(m_directories, 2, 1);
    layout->addWidget(typeLabel, 3, 0);
    auto *drivesLabel = new QLabel(tr("Dri&ves:"), this);
    drivesLabel->setBuddy(m_drives);
    layout->addWidget(drivesLabel, 3, 1);
    layout->addWidget(type, 4, 0);
    layout->addWidget(m_drives, 4, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons, 0, 2, 5, 1);

    connect(m_drives, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < m_places.size())
            m_directories->setPath(m_places[index].root);
    });
    connect(m_directories, &DirectoryList::pathChanged, this, [this](const QString &path) { showDirectory(path); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_field->setText(selectedDirectoryText(m_fieldIndex, m_directories->path()));
        accept();
    });

    if (!m_directories->setPath(QDir::homePath()))
        m_directories->setPath(QDir::rootPath());
    start(m_directories->path());
    resize(520, 360);
    // Centred over the main window.
    if (centreOver) {
        const QRect frame = centreOver->frameGeometry();
        move(frame.left() + frame.width() / 2 - width() / 2, frame.top() + frame.height() / 2 - height() / 2);
    }
}

void DirectorySelector::start(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return;
    const QString opened = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // The drive first, which opens its folder, then the directory itself.
    m_drives->setCurrentIndex(placeOf(m_places, opened));
    m_directories->setPath(opened);
}

void DirectorySelector::showDirectory(const QString &path)
{
    m_directoryLabel->setText(path);
    m_files->clear();
    m_files->addItems(QDir(path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

} // namespace vornel
