#include "app/about_dialog.h"

#include "editor/modal_dialog.h"
#include "platform/version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornel {

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , m_product(new QLabel(kProductName, this))
    , m_version(new QLabel(versionText(), this))
    , m_description(new QLabel(this))
    , m_ok(new QPushButton(tr("OK"), this))
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(kCaption);
    setModal(true);

    m_product->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont = m_product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
    m_product->setFont(productFont);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setWordWrap(true);
    m_description->setMinimumWidth(360);
    m_description->setText(tr("An editor for the HTML source of home pages and other web documents: "
                              "write the text, and let the menus and toolbars put the markup "
                              "around it.\n\nCopyright Teslund Applications."));
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_product);
    layout->addWidget(m_version);
    layout->addSpacing(8);
    layout->addWidget(m_description);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void showAboutBox(QWidget *parent)
{
    AboutDialog about(parent);
    runModalDialog(about);
}

} // namespace vornel
