#pragma once

#include "form.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>

// The one global instance of a screen, named as the screen:
//     extern FormSlot<MainMenu> intro0;   // in mainmenu.h
//     FormSlot<MainMenu> intro0("intro0"); // in mainmenu.cpp
// The name becomes the window role of every screen the slot creates, so that window-manager
// rules and tests can tell the windows apart.
// The first touch (intro0->show(), intro0->Label1->..., *intro0, intro0.get()) creates the
// screen and runs its Form_Load() before the touching statement goes on. The slot points at
// the screen before Form_Load() runs, so load steps may touch their own screen. After
// unload() the slot is empty and the next touch creates a fresh screen. A screen class with a
// static T *create(const QString &slotName) is made by it, so that one class can serve
// several slots with different content (see FormSlots).
template<class T> class FormSlot
{
public:
    FormSlot() = default;
    constexpr explicit FormSlot(const char *name)
        : m_name(name)
    { }

    T *get()
    {
        if (!m_form)
            load();
        return m_form;
    }
    T *operator->() { return get(); }
    T &operator*() { return *get(); }

    bool isLoaded() const { return !m_form.isNull(); }
    // Unloads the screen if it is loaded; touches nothing otherwise.
    void unload()
    {
        if (m_form)
            m_form->unload();
    }

private:
    void load()
    {
        // Screens of one class that differ by their content make themselves from their name.
        T *form = nullptr;
        if constexpr (requires(const QString &name) { T::create(name); })
            form = T::create(QString::fromLatin1(m_name));
        else
            form = new T;
        if (m_name)
            form->setWindowRole(QString::fromLatin1(m_name));
        m_form = form;
        QObject::connect(form, &Form::unloaded, form, [this, form] {
            if (m_form == form)
                m_form = nullptr;
        });
        form->Form_Load();
    }

    const char *m_name = nullptr;
    QPointer<T> m_form;
};

// Slots made on first use, one per name, for screens of one class that differ by their
// content (the topic menus, the activities): slots["rivers1lab"] is the slot of that screen,
// whose screens T::create("rivers1lab") makes.
template<class T> class FormSlots
{
public:
    FormSlot<T> &operator[](const QString &name)
    {
        std::unique_ptr<Entry> &entry = m_slots[name];
        if (!entry)
            entry = std::make_unique<Entry>(name);
        return entry->slot;
    }

private:
    struct Entry
    {
        explicit Entry(const QString &slotName)
            : name(slotName.toLatin1())
            , slot(name.constData())
        { }
        QByteArray name;
        FormSlot<T> slot;
    };
    std::map<QString, std::unique_ptr<Entry>> m_slots;
};
