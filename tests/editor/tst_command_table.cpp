#include "editor/command_table.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "support/scripted_platform.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace vornel;

namespace {

// Just enough of a workspace for commands to be handed one.
class FakeWorkspace : public Workspace {
public:
    DocumentWindow *activeDocument() const override { return nullptr; }
    DocumentWindow *documentInSlot(int) const override { return nullptr; }
    DocumentWindow *createDocumentWindow(int) override { return nullptr; }
    DocumentWindow *newDocumentFromTemplate(const QString &) override { return nullptr; }
    void activateDocument(DocumentWindow *) override {}
    void setStatusText(const QString &text) override { m_status = text; }
    QString statusText() const override { return m_status; }
    void repaintStatusText() override {}
    CommonDialog &commonDialog() override { return m_dialog; }
    QWidget *dialogParent() override { return nullptr; }
    const ActionRegistry &ownActions() const override { return m_actions; }

private:
    QString m_status;
    CommonDialog m_dialog;
    ActionRegistry m_actions;
};

} // namespace

class TestCommandTable : public QObject {
    Q_OBJECT

private:
    FakeWorkspace m_workspace;
    std::unique_ptr<ScopedPlatform> m_platform;
    std::unique_ptr<DocumentWindow> m_document;
    QStringList m_ran;

    // A small table with every kind of row: plain, with shortcut, hidden, checkable, a named
    // and an unnamed separator, a submenu, a document command and one named apart in the main
    // window's menus.
    std::vector<CommandRow> table()
    {
        const auto record = [this](const QString &what) {
            return workspaceCommand([this, what](Workspace &) { m_ran << what; });
        };
        CommandRow sub{QStringLiteral("mnuSub(2)"), QStringLiteral("S&ub"), {}, {}};
        sub.submenuName = QStringLiteral("mnuInner");
        sub.submenu = {{arrayName(QStringLiteral("mnuInner"), 0), QStringLiteral("&Inner"), {}, record("inner")}};
        return {
            {QStringLiteral("mnuPlain"), QStringLiteral("&Plain"), {}, record("plain")},
            {QStringLiteral("mnuKey"), QStringLiteral("&Key"), QKeySequence(Qt::CTRL | Qt::Key_K), record("key")},
            {QStringLiteral("mnuHidden"), QStringLiteral("&Hidden"), {}, {}, false},
            {.name = QStringLiteral("mnuCheck"), .caption = QStringLiteral("&Check"), .checkable = true},
            {QStringLiteral("mnuSep"), QString()},
            {QString(), QString()},
            sub,
            {QStringLiteral("mnuText"), QStringLiteral("&Text"), {},
             textCommand([](TextArea &area) { area.setSelText(QStringLiteral("<B>")); })},
            {.name = QStringLiteral("mnuDocName"),
             .caption = QStringLiteral("&Renamed"),
             .run = {[this](const CommandTarget &target) {
                 m_ran << target.action->objectName() + (target.document ? "@document" : "@main");
             }},
             .mainMenuName = QStringLiteral("mnuMainName")},
        };
    }

private Q_SLOTS:
    void init()
    {
        documentTable().reset();
        m_platform = std::make_unique<ScopedPlatform>();
        m_document = std::make_unique<DocumentWindow>(documentTable().findFreeSlot(), m_workspace);
        m_ran.clear();
    }

    void cleanup()
    {
        m_document.reset();
        m_platform.reset();
    }

    void documentMenusHoldEveryRowByName()
    {
        ActionRegistry &registry = m_document->actions();
        QMenu *menu = buildMenu({.caption = QStringLiteral("&Top"), .submenuName = QStringLiteral("mnuTop"), .submenu = table()},
                                {m_workspace, registry, m_document.get(), m_document.get()});
        QCOMPARE(menu->objectName(), QStringLiteral("mnuTop"));
        QCOMPARE(menu->parent(), m_document.get());

        QStringList names;
        for (QAction *a : menu->actions())
            names << a->objectName();
        QCOMPARE(names, (QStringList{"mnuPlain", "mnuKey", "mnuHidden", "mnuCheck", "mnuSep", "", "mnuSub(2)", "mnuText",
                                     "mnuDocName"}));
        for (const QString &name : names) {
            if (!name.isEmpty())
                QCOMPARE(registry.action(name), menu->actions().at(names.indexOf(name)));
        }
        QVERIFY(!registry.action(QStringLiteral("mnuMainName")));

        QCOMPARE(registry.action("mnuPlain")->text(), QStringLiteral("&Plain"));
        QVERIFY(!registry.action("mnuHidden")->isVisible());
        QVERIFY(registry.action("mnuCheck")->isCheckable());
        QVERIFY(!registry.action("mnuPlain")->isCheckable());
        QVERIFY(registry.action("mnuSep")->isSeparator());
        QVERIFY(menu->actions().at(5)->isSeparator());

        // A document window answers its own shortcuts while the focus is anywhere in it.
        QAction *key = registry.action("mnuKey");
        QCOMPARE(key->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QCOMPARE(key->shortcutContext(), Qt::WidgetWithChildrenShortcut);
        QVERIFY(m_document->actions().action("mnuKey") == key && key->associatedObjects().contains(m_document.get()));

        QAction *sub = registry.action("mnuSub(2)");
        QVERIFY(sub->menu());
        QCOMPARE(sub->menu()->objectName(), QStringLiteral("mnuInner"));
        QCOMPARE(registry.action("mnuInner(0)"), sub->menu()->actions().first());

        registry.action("mnuPlain")->trigger();
        registry.action("mnuInner(0)")->trigger();
        registry.action("mnuDocName")->trigger();
        QCOMPARE(m_ran, (QStringList{"plain", "inner", "mnuDocName@document"}));

        m_document->textArea()->setText(QStringLiteral("ab"));
        m_document->textArea()->setSelStart(1);
        registry.action("mnuText")->trigger();
        QCOMPARE(m_document->textArea()->text(), QStringLiteral("a<B>b"));
    }

    void mainMenusRenameAndDisableDocumentCommands()
    {
        ActionRegistry registry;
        QWidget owner;
        auto *menu = new QMenu(&owner);
        addCommands(menu, table(), {m_workspace, registry, nullptr, &owner});

        QVERIFY(!registry.action(QStringLiteral("mnuDocName")));
        QAction *renamed = registry.action(QStringLiteral("mnuMainName"));
        QVERIFY(renamed);
        // Shortcuts of the main window's own menus belong to its menu bar.
        QCOMPARE(registry.action("mnuKey")->shortcutContext(), Qt::WindowShortcut);

        QAction *text = registry.action(QStringLiteral("mnuText"));
        QVERIFY(!text->isEnabled());
        text->trigger();
        renamed->trigger();
        registry.action("mnuKey")->trigger();
        QCOMPARE(m_ran, (QStringList{"mnuMainName@main", "key"}));
    }

    void registryFindsArraysAndKeepsTheFirstOfAName()
    {
        ActionRegistry registry;
        QWidget owner;
        auto *first = new QAction(&owner);
        first->setObjectName(arrayName(QStringLiteral("mnuX"), 0));
        auto *again = new QAction(&owner);
        again->setObjectName(first->objectName());
        auto *third = new QAction(&owner);
        third->setObjectName(QStringLiteral("mnuX(2)"));
        auto *unnamed = new QAction(&owner);
        for (QAction *a : {first, again, third, unnamed})
            registry.add(a);

        QCOMPARE(registry.action(QStringLiteral("mnuX(0)")), first);
        QCOMPARE(registry.array(QStringLiteral("mnuX"), 0, 2), (QList<QAction *>{first, nullptr, third}));
        QVERIFY(!registry.action(QString()));
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_command_table.moc"
