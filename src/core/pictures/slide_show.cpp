#include "core/pictures/slide_show.h"

int SlideCursor::take(int count)
{
    if (count < 1) {
        playing = false;
        return 0;
    }
    // Past the last entry (or past the end of a list that has since shrunk): the show ends.
    if (next > count) {
        playing = false;
        next = 0;
    }
    if (next < 1)
        next = 1;
    return next++;
}

PhotoSlideShow::Step PhotoSlideShow::step(int dayCount, const HasPhoto &hasPhoto)
{
    if (midDay()) {
        const int n = m_nextPhoto;
        if (m_day <= dayCount && hasPhoto(m_day, n)) {
            m_nextPhoto = n == LastPhoto ? 0 : n + 1;
            return {m_day, n};
        }
        m_nextPhoto = 0; // a gap ends the day: the next day follows at once
    }
    if (!m_cursor.playing)
        return {};
    m_day = m_cursor.take(dayCount);
    if (m_day == 0)
        return {};
    m_nextPhoto = 1;
    return {m_day, 0};
}
