#pragma once

// Shared pieces of the dialog tests: a main window stand-in that records the
// live updates, and user-like ways of working the controls.

#include "dialogs/EditorHost.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPair>
#include <QWidget>
#include <QtTest>

class FakeHost : public EditorHost
{
public:
    void UDButton(int n) override { calls.append({QStringLiteral("UDButton"), n}); }
    void UDPilot(int n) override { calls.append({QStringLiteral("UDPilot"), n}); }
    void UDSlider(int n) override { calls.append({QStringLiteral("UDSlider"), n}); }
    void UDTitle(int n) override { calls.append({QStringLiteral("UDTitle"), n}); }
    void ShowScreen() override { calls.append({QStringLiteral("ShowScreen"), -1}); }

    // True when there were calls and every one was the live update of (kind, n).
    bool onlyUpdated(const QString &kind, int n) const
    {
        if (calls.isEmpty())
            return false;
        for (const auto &call : calls)
            if (call.first != kind || call.second != n)
                return false;
        return true;
    }
    QList<QPair<QString, int>> calls;
};

template <class T> T *control(QWidget *dialog, const QString &name)
{
    return dialog->findChild<T *>(name);
}

// Opens the list and clicks the entry, as a user picks it.
inline bool pick(QComboBox *box, int index)
{
    if (!box || !box->isEnabled() || index < 0 || index >= box->count())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    const QModelIndex entry = box->model()->index(index, 0);
    view->scrollTo(entry, QAbstractItemView::PositionAtCenter);
    const QRect rect = view->visualRect(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return box->currentIndex() == index && !view->isVisible();
}

inline void showDialog(QWidget *dialog)
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}
