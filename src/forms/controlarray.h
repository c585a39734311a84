#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <map>
#include <type_traits>

// A control array as designed: elements at the indexes the design gives them, gaps left as
// gaps. label3[2] is the element at index 2; contains() says whether an index exists.
// Iterating yields (index, control) pairs in index order:
//     for (auto [index, label] : label3) ...
// Elements are owned by their parent widget, like any control.
template<class T> class ControlArray
{
public:
    explicit ControlArray(const QString &name)
        : m_name(name)
    { }

    // Creates element index as a child of parent, named like the array.
    T *create(int index, QWidget *parent)
    {
        Q_ASSERT(!contains(index));
        T *control = new T(parent, m_name);
        m_elements[index] = control;
        return control;
    }

    QString name() const { return m_name; }
    bool contains(int index) const { return m_elements.count(index) != 0; }
    // The element at index; the index must exist.
    T *operator[](int index) const
    {
        const auto it = m_elements.find(index);
        Q_ASSERT_X(it != m_elements.end(), "ControlArray", "no element at this index");
        return it == m_elements.end() ? nullptr : it->second;
    }
    int count() const { return static_cast<int>(m_elements.size()); }
    int lowerBound() const { return m_elements.empty() ? 0 : m_elements.begin()->first; }
    int upperBound() const { return m_elements.empty() ? -1 : m_elements.rbegin()->first; }

    auto begin() const { return m_elements.begin(); }
    auto end() const { return m_elements.end(); }

    // Connects a signal of every element (existing ones) to one handler that receives the
    // element's index first, then the signal's arguments:
    //     label3.connect(&Label::clicked, this, &Screen::label3_Click);       // (int index)
    //     Label2.connect(&Label::mouseMove, this, &Screen::Label2_MouseMove); // (int, int, int,
    //                                                                      //  double, double)
    template<class Sender, class... Args, class Receiver, class... HandlerArgs>
    void connect(void (Sender::*signal)(Args...), Receiver *receiver,
                 void (Receiver::*handler)(int, HandlerArgs...))
    {
        for (const auto &[index, control] : m_elements) {
            const int i = index;
            QObject::connect(control, signal, receiver, [receiver, handler, i](Args... args) {
                callWithIndex(receiver, handler, i, args...);
            });
        }
    }

    // The same with any callable taking (int index, signal arguments...) or (int index).
    template<class Sender, class... Args, class Function>
    void connect(void (Sender::*signal)(Args...), QObject *context, Function function)
    {
        for (const auto &[index, control] : m_elements) {
            const int i = index;
            QObject::connect(control, signal, context, [function, i](Args... args) {
                if constexpr (std::is_invocable_v<Function, int, Args...>)
                    function(i, args...);
                else
                    function(i);
            });
        }
    }

private:
    // Calls handler with the index and as many leading signal arguments as it takes.
    template<class Receiver, class... HandlerArgs, class... Args>
    static void callWithIndex(Receiver *receiver, void (Receiver::*handler)(int, HandlerArgs...),
                              int index, Args... args)
    {
        if constexpr (sizeof...(HandlerArgs) == sizeof...(Args)) {
            (receiver->*handler)(index, args...);
        } else {
            static_assert(sizeof...(HandlerArgs) == 0,
                          "a handler takes the index alone or the index and all arguments");
            (receiver->*handler)(index);
        }
    }

    QString m_name;
    std::map<int, T *> m_elements;
};
