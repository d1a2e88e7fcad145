#pragma once

#include <functional>

// Where a slide show stands: playing or not, and the entry it shows next. A stopped show
// keeps its place and resumes there.
struct SlideCursor {
    bool playing = false;
    int next = 0;

    // One tick over count entries: the entry to show now (1-based). After the last entry the
    // tick stops the show and shows the first entry once more, so that a new start goes on
    // with the second. 0 when there is nothing to show.
    int take(int count);
};

// The day-photo show: each day's main photo, then its photos 1, 2, … as far as they are
// numbered without a gap, one picture a step. Stop takes effect once the photos of the day
// being shown are through.
class PhotoSlideShow
{
public:
    struct Step {
        int day = 0;   // 0: nothing to show at this step
        int photo = 0; // 0 = the main photo, 1..5 = photo N
    };
    using HasPhoto = std::function<bool(int day, int photo)>;

    SlideCursor &cursor() { return m_cursor; }
    const SlideCursor &cursor() const { return m_cursor; }
    // Between the photos of a day, when the next step continues that day whatever Stop says.
    bool midDay() const { return m_nextPhoto > 0; }
    // Whether the timer still has something to do.
    bool active() const { return m_cursor.playing || midDay(); }

    // One step of the timer over dayCount days.
    Step step(int dayCount, const HasPhoto &hasPhoto);

    static constexpr int LastPhoto = 5;

private:
    SlideCursor m_cursor;
    int m_day = 0;
    int m_nextPhoto = 0; // the photo the next step looks for; 0 at a day's end
};
