#include "ui/widgets/level_bar.h"

#include "core/book/notebook.h"
#include "core/recipes/points.h"
#include "core/recipes/recipe_store.h"
#include "ui/widgets/ui_util.h"

#include <QFrame>
#include <QHBoxLayout>

LevelBar::LevelBar(Notebook &notebook, QWidget *parent) : QWidget(parent), m_notebook(notebook)
{
    nameControl(this, QStringLiteral("shpLevel"), QStringLiteral("レベル"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (int i = 1; i <= LevelBoxes; ++i) {
        auto *box = new QFrame(this);
        nameControl(box, QStringLiteral("shpLevel%1").arg(i), QStringLiteral("レベル %1").arg(i * 10));
        box->setFrameShape(QFrame::Box);
        box->setLineWidth(1);
        box->setAutoFillBackground(true);
        box->setFixedSize(13, 6 + 3 * i);
        layout->addWidget(box, 0, Qt::AlignBottom);
        m_boxes[i - 1] = box;
    }
    connect(&notebook, &Notebook::levelShown, this, &LevelBar::showLevel);
    showLevel();
}

QColor LevelBar::boxColor(int i) const { return m_boxes[i - 1]->palette().color(QPalette::Window); }

void LevelBar::showLevel()
{
    for (int i = 1; i <= LevelBoxes; ++i) {
        QPalette pal = m_boxes[i - 1]->palette();
        pal.setColor(QPalette::Window, levelBoxColor(i, m_notebook.recipes.levelPercent));
        pal.setColor(QPalette::WindowText, QColor(90, 90, 90));
        m_boxes[i - 1]->setPalette(pal);
    }
    // The colours say how far the level is; a screen reader says it in words.
    setAccessibleName(
        QStringLiteral("レベル %1 %").arg(QString::number(m_notebook.recipes.levelPercent, 'f', 1)));
    setToolTip(QStringLiteral("レベル %1％").arg(qRound(m_notebook.recipes.levelPercent)));
    setAccessibleDescription(toolTip());
}
