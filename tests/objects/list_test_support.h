#ifndef LIST_TEST_SUPPORT_H
#define LIST_TEST_SUPPORT_H

#include "orvex_object.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Stands in for the main window as the list window's form: records what
// would have been loaded into the object form.
class Form_spy : public Orvex_object
{
public:
    using Orvex_object::set_form;
    void set_form(QString name, QString ra_text, QString decl_text,
                  QString epoch_text) override
    {
        loads << name + '|' + ra_text + '|' + decl_text + '|' + epoch_text;
    }
    QStringList loads;
};

// While it lives, answers modal dialogs from inside their own event loops:
// the first dialog that is not a message box goes to act, which returns
// false to be asked again a moment later (a file dialog may still be
// loading). Message boxes (network warnings from other windows, questions
// of the file dialog) are dismissed.
class Modal_watcher
{
public:
    explicit Modal_watcher(std::function<bool(QWidget *)> act) : act(std::move(act))
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { look(); });
        timer.start();
    }
    bool handled = false;

private:
    void look()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            box->done(QMessageBox::Ok);
            return;
        }
        if (!handled)
            handled = act(w);
    }

    std::function<bool(QWidget *)> act;
    QTimer timer;
};

inline QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void put_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

#endif
