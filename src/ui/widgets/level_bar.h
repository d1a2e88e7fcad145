#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QFrame;
class Notebook;

// The level bar shpLevel: ten boxes, each taller than the one before, bottoms aligned,
// coloured up to LevelPercent. Every bar follows showLevelBar for as long as it exists, so
// the recipe screen and the evaluation graph screen always show the same level.
class LevelBar : public QWidget
{
    Q_OBJECT
public:
    explicit LevelBar(Notebook &notebook, QWidget *parent = nullptr);

    // The colour of box i (1..10).
    QColor boxColor(int i) const;

private:
    void showLevel();

    Notebook &m_notebook;
    std::array<QFrame *, 10> m_boxes{};
};
