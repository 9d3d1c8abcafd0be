// What the tests of the schedule views share on a fresh data folder: finding
// a view's controls by name and reading a list control's column.
#pragma once

#include "tests/data/data_fixture.h"

#include <QTreeWidget>

class ViewTest : public DataTest {
protected:
    template <class T>
    static T* Find(QObject* AParent, const QString& AName)
    {
        T* child = AParent->findChild<T*>(AName);
        EXPECT_NE(child, nullptr) << AName.toStdString();
        return child;
    }

    static QStringList ColumnTexts(QTreeWidget* AList, int AColumn)
    {
        QStringList texts;
        for (int i = 0; i < AList->topLevelItemCount(); ++i)
            texts << AList->topLevelItem(i)->text(AColumn);
        return texts;
    }
};
