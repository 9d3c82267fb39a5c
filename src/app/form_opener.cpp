// Opening forms by menu name: fresh windows, or the one shared window brought to the front.
#include "app/form_opener.h"

namespace app {

void FormOpener::registerForm(const QString& menuName, Kind kind, Factory factory)
{
    entries_[menuName] = Entry{kind, std::move(factory), nullptr};
}

bool FormOpener::isRegistered(const QString& menuName) const
{
    return entries_.contains(menuName);
}

QWidget* FormOpener::open(const QString& menuName)
{
    const auto found = entries_.find(menuName);
    if (found == entries_.end())
        return nullptr;
    Entry& entry = found->second;
    if (entry.kind == Kind::NewInstance)
        return create(entry);

    if (entry.instance && entry.instance->isVisible()) {
        QWidget* window = entry.instance;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
        return window;
    }
    // A closed shared form is already scheduled for deletion (WA_DeleteOnClose), but the
    // deletion happens only when the event loop runs again; one hidden by other means is
    // discarded the same way, so the next open always starts from the design-time contents.
    if (entry.instance)
        entry.instance->deleteLater();
    entry.instance = create(entry);
    return entry.instance;
}

QWidget* FormOpener::create(Entry& entry)
{
    QWidget* window = entry.factory();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}
