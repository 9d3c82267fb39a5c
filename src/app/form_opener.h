// The one way the main menu opens forms: a registry from menu control name to form factory,
// opening either a fresh window per click or the one program-wide instance of a form.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

namespace app {

class FormOpener {
public:
    enum class Kind {
        NewInstance,   // every open shows a fresh, independent window; no reference is kept
        Shared,   // one instance; opened again it comes to the front, once closed it is made anew
    };
    using Factory = std::function<QWidget*()>;

    FormOpener() = default;
    FormOpener(const FormOpener&) = delete;
    FormOpener& operator=(const FormOpener&) = delete;

    // `factory` returns a new parentless widget with its design-time contents.
    void registerForm(const QString& menuName, Kind kind, Factory factory);
    bool isRegistered(const QString& menuName) const;

    // Shows the form of `menuName` modeless and returns its window; nullptr if none is registered.
    QWidget* open(const QString& menuName);

private:
    struct Entry {
        Kind kind;
        Factory factory;
        QPointer<QWidget> instance;   // Shared only; null once the window has been deleted
    };
    QWidget* create(Entry& entry);

    std::map<QString, Entry> entries_;
};

}
