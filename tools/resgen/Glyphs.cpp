// The glyph of every switch face, in the 32 × 32 unit space of one frame.
#include <cmath>

#include "Faces.h"
#include "res/ResourceIds.h"

namespace resgen {

namespace {

Shape Box(double l, double t, double r, double b, double radius = 1) { return RoundedRect(l, t, r, b, radius); }
Shape Tri(Point a, Point b, Point c) { return Polygon({a, b, c}); }

// Transport
void Play(Canvas& c, const Ink& k) { Put(c, k, Tri({12.5, 8.5}, {24, 16}, {12.5, 23.5})); }
void Pause(Canvas& c, const Ink& k) { Put(c, k, Union(Box(10, 8.5, 14.5, 23.5, 1.2), Box(17.5, 8.5, 22, 23.5, 1.2))); }
void Stop(Canvas& c, const Ink& k) { Put(c, k, Box(9.5, 9.5, 22.5, 22.5, 2)); }
void Next(Canvas& c, const Ink& k) { Put(c, k, Union(Tri({8.5, 9}, {18.5, 16}, {8.5, 23}), Box(19.5, 9, 23, 23))); }
void Previous(Canvas& c, const Ink& k) { Put(c, k, Union(Box(9, 9, 12.5, 23), Tri({23.5, 9}, {13.5, 16}, {23.5, 23}))); }
void Forward(Canvas& c, const Ink& k) {
  Put(c, k, Union(Tri({7, 10}, {16, 16}, {7, 22}), Tri({16, 10}, {25, 16}, {16, 22})));
}
void Back(Canvas& c, const Ink& k) {
  Put(c, k, Union(Tri({25, 10}, {16, 16}, {25, 22}), Tri({16, 10}, {7, 16}, {16, 22})));
}

void Settings(Canvas& c, const Ink& k) {
  constexpr double kPi = 3.14159265358979323846;
  Shape gear = Circle(16, 16, 7.4);
  for (int i = 0; i < 8; ++i) {
    double a = i * kPi / 4, ca = std::cos(a), sa = std::sin(a);
    auto at = [&](double along, double across) { return Point{16 + along * ca - across * sa, 16 + along * sa + across * ca}; };
    gear = Union(gear, Polygon({at(5, -2.1), at(10.2, -1.6), at(10.2, 1.6), at(5, 2.1)}));
  }
  Put(c, k, Minus(gear, Circle(16, 16, 3.2)));
}

// Window
void Minimise(Canvas& c, const Ink& k) { Put(c, k, Box(9, 20.5, 23, 24)); }
void Maximise(Canvas& c, const Ink& k) { Put(c, k, Minus(Box(8.5, 8.5, 23.5, 23.5, 1.5), Box(11, 12.8, 21, 21, 0.4))); }
void Restore(Canvas& c, const Ink& k) {
  Shape back = Minus(Box(12, 7.5, 24.5, 20, 1.2), Box(14.2, 10.8, 22.3, 17.8, 0.4));
  Shape front = Minus(Box(7.5, 12, 20, 24.5, 1.2), Box(9.7, 15.3, 17.8, 22.3, 0.4));
  Put(c, k, Union(Minus(back, Box(6, 10.6, 21.4, 26, 1.5)), front));
}
void Exit(Canvas& c, const Ink& k) { Put(c, k, Union(Stroke({10, 10}, {22, 22}, 3.4), Stroke({22, 10}, {10, 22}, 3.4))); }

// Play modes
Shape Loop() {
  Shape ring = Minus(Box(6, 9.5, 26, 22.5, 5.5), Box(8.8, 12.3, 23.2, 19.7, 3));
  ring = Minus(ring, Box(13.5, 8, 19, 14, 0));
  ring = Minus(ring, Box(13, 18, 18.5, 24, 0));
  return Union(ring, Union(Tri({14.5, 6.6}, {20.5, 10.9}, {14.5, 15.2}), Tri({17.5, 16.8}, {11.5, 21.1}, {17.5, 25.4})));
}
void RepeatAll(Canvas& c, const Ink& k) { Put(c, k, Loop()); }
void RepeatOne(Canvas& c, const Ink& k) {
  Ink small = k;
  small.scale = 0.8;
  small.ox = 0.6;
  small.oy = 0.4;
  Put(c, small, Loop());
  Put(c, k, Circle(22.5, 22.5, 6.6), Hue::Cyan);
  Put(c, k, Polyline({{20.6, 20.6}, {22.9, 18.8}, {22.9, 26.4}}, 2), k.dark);
}
void Random(Canvas& c, const Ink& k) {
  Put(c, k, Union(Polyline({{5.5, 11}, {10.5, 11}, {18.5, 21}, {22, 21}}, 2.6), Tri({21.5, 16.5}, {27, 21}, {21.5, 25.5})));
  Put(c, k, Union(Polyline({{5.5, 21}, {10.5, 21}, {18.5, 11}, {22, 11}}, 2.6), Tri({21.5, 6.5}, {27, 11}, {21.5, 15.5})));
}
void NoRepeat(Canvas& c, const Ink& k) {
  Put(c, k, Union(Stroke({5.5, 16}, {18, 16}, 3), Union(Tri({17, 10.5}, {23, 16}, {17, 21.5}), Box(24, 9.5, 26.8, 22.5))));
}

// Sorting: the order of the labels top to bottom, and the arrow points the way the values grow.
Shape LetterA(double top) {
  return Union(Polyline({{6.5, top + 8.5}, {9.75, top}, {13, top + 8.5}}, 2), Stroke({7.9, top + 5.6}, {11.6, top + 5.6}, 1.7));
}
Shape LetterZ(double top) { return Polyline({{6.8, top}, {12.8, top}, {6.8, top + 8}, {12.8, top + 8}}, 2); }
Shape ArrowDown(double x) { return Union(Stroke({x, 6.5}, {x, 20}, 2.6), Tri({x - 4.5, 18.5}, {x + 4.5, 18.5}, {x, 25.5})); }
Shape ArrowUp(double x) { return Union(Stroke({x, 12}, {x, 25.5}, 2.6), Tri({x - 4.5, 13.5}, {x + 4.5, 13.5}, {x, 6.5})); }
Shape Clock() {
  return Union(Ring(11.5, 16, 7, 5), Polyline({{11.5, 11.8}, {11.5, 16}, {14.4, 17.6}}, 1.8));
}
void NameForward(Canvas& c, const Ink& k) {
  Put(c, k, Union(LetterA(6), LetterZ(17.5)));
  Put(c, k, ArrowDown(21.5), Hue::Cyan);
}
void NameReverse(Canvas& c, const Ink& k) {
  Put(c, k, Union(LetterZ(6.5), LetterA(17)));
  Put(c, k, ArrowUp(21.5), Hue::Cyan);
}
void TimeForward(Canvas& c, const Ink& k) {
  Put(c, k, Clock());
  Put(c, k, ArrowDown(23.5), Hue::Cyan);
}
void TimeReverse(Canvas& c, const Ink& k) {
  Put(c, k, Clock());
  Put(c, k, ArrowUp(23.5), Hue::Cyan);
}

// Lists
Shape Lines(double right) {
  Shape s = Box(6.5, 8, right, 10.6, 1.3);
  s = Union(s, Box(6.5, 13, right, 15.6, 1.3));
  return Union(s, Box(6.5, 18, right - 3, 20.6, 1.3));
}
void FileList(Canvas& c, const Ink& k) {
  for (double y : {9.5, 16.0, 22.5}) {
    Put(c, k, Box(7, y - 2.2, 11.4, y + 2.2, 0.8), Hue::Amber);
    Put(c, k, Box(13.5, y - 1.3, 25, y + 1.3, 1.3));
  }
}
void Playlist(Canvas& c, const Ink& k) {
  Put(c, k, Lines(20));
  Shape note = Union(Ellipse(20.6, 23.4, 3.3, 2.5), Box(22.3, 11.5, 24.1, 23.2, 0.5));
  Put(c, k, Union(note, Polyline({{23.2, 12}, {26.6, 15.2}}, 1.9)), Hue::Pink);
}
void Badge(Canvas& c, const Ink& k, Hue hue) { Put(c, k, Circle(22.5, 22.5, 6.6), hue); }
void RemovePlaylist(Canvas& c, const Ink& k) {
  Put(c, k, Lines(21));
  Badge(c, k, Hue::Red);
  Put(c, k, Union(Stroke({20, 20}, {25, 25}, 1.9), Stroke({25, 20}, {20, 25}, 1.9)), k.mark);
}
void AddToPlaylist(Canvas& c, const Ink& k) {
  Put(c, k, Lines(21));
  Badge(c, k, Hue::Green);
  Put(c, k, Union(Stroke({22.5, 18.8}, {22.5, 26.2}, 2), Stroke({18.8, 22.5}, {26.2, 22.5}, 2)), k.mark);
}
void PlayPlaylist(Canvas& c, const Ink& k) {
  Put(c, k, Lines(21));
  Badge(c, k, Hue::Green);
  Put(c, k, Tri({20.4, 18.8}, {26.2, 22.5}, {20.4, 26.2}), k.mark);
}
void ListHide(Canvas& c, const Ink& k) {
  Put(c, k, Union(Box(7.5, 7.5, 24.5, 10.1, 1.3), Box(7.5, 12.3, 24.5, 14.9, 1.3)));
  Put(c, k, Polyline({{9, 18.5}, {16, 24.5}, {23, 18.5}}, 3), Hue::Cyan);
}

// Navigation
void Home(Canvas& c, const Ink& k) {
  Shape house = Polygon({{16, 6.5}, {26.5, 16}, {23.5, 16}, {23.5, 25}, {8.5, 25}, {8.5, 16}, {5.5, 16}});
  Put(c, k, Minus(house, Box(13.8, 18.5, 18.2, 26, 0.8)));
}
void OneUp(Canvas& c, const Ink& k) {
  Put(c, k, Union(Tri({6.5, 14}, {12, 7.5}, {17.5, 14}), Polyline({{12, 13}, {12, 21.5}, {25, 21.5}}, 3.2)));
}
void Folder(Canvas& c, const Ink& k) {
  Put(c, k, Union(Box(5, 8, 14, 13, 1.5), Box(5, 10, 27, 24.5, 1.8)), Hue::Amber);
  Put(c, k, Polygon({{5, 24.5}, {7.8, 14.2}, {28.5, 14.2}, {27, 24.5}}), k.Of(Hue::Amber).Mix(k.main, 0.35));
}
void Drive(Canvas& c, const Ink& k) {
  Put(c, k, Box(4.5, 10.5, 27.5, 22.5, 2.5), Hue::Silver);
  Put(c, k, Box(5.5, 11.3, 26.5, 13, 1), k.main);
  Put(c, k, Stroke({8.5, 18.5}, {17, 18.5}, 1.5), k.dark);
  Put(c, k, Circle(23, 18.5, 1.7), Hue::Green);
}

// Media kinds
void Video(Canvas& c, const Ink& k) {
  Shape film = Box(6, 7, 26, 25, 1.5);
  for (double y = 8.6; y < 24; y += 4) film = Minus(film, Union(Box(7.4, y, 9.4, y + 2, 0.4), Box(22.6, y, 24.6, y + 2, 0.4)));
  Put(c, k, film, Hue::Blue);
  Put(c, k, Tri({13.2, 11}, {20.2, 16}, {13.2, 21}), k.mark);
}
void Music(Canvas& c, const Ink& k) {
  Shape s = Union(Ellipse(10.4, 22.6, 3.6, 2.8), Ellipse(21.6, 20.1, 3.6, 2.8));
  s = Union(s, Union(Box(12.3, 9.2, 14.3, 22.4, 0.5), Box(23.5, 6.7, 25.5, 19.9, 0.5)));
  s = Union(s, Polygon({{12.3, 9.2}, {25.5, 6.7}, {25.5, 10.6}, {12.3, 13.1}}));
  Put(c, k, s, Hue::Pink);
}
void Picture(Canvas& c, const Ink& k) {
  Put(c, k, Minus(Box(5, 7, 27, 25, 1.5), Box(7.4, 9.4, 24.6, 22.6, 0.5)), Hue::Silver);
  Put(c, k, Polygon({{7.4, 22.6}, {13.5, 13.8}, {17.8, 19.2}, {20.4, 16.4}, {24.6, 22.6}}), Hue::Green);
  Put(c, k, Circle(20.6, 12.8, 2.1), Hue::Amber);
}
void Open(Canvas& c, const Ink& k) {
  Shape box = Minus(Box(6.5, 10.5, 21.5, 25.5, 1.5), Box(9, 13, 19, 23, 0.4));
  Put(c, k, Minus(box, Polygon({{12, 6}, {28, 6}, {28, 22}})));
  Put(c, k, Union(Stroke({13.5, 18.5}, {22, 10}, 2.6), Tri({16.8, 6.5}, {25.5, 6.5}, {25.5, 15.2})), Hue::Cyan);
}

// The playlist variant of a media kind: the glyph made smaller, with a list badge.
template <Glyph G>
void InPlaylist(Canvas& c, const Ink& k) {
  Ink small = k;
  small.scale = 0.78;
  small.ox = 1.5;
  small.oy = 1;
  G(c, small);
  Put(c, k, Box(17.5, 18, 29, 29, 2.2), Hue::Cyan);
  for (double y : {20.6, 23.1, 25.6}) Put(c, k, Box(19.6, y - 0.75, 26.9, y + 0.75, 0.5), k.dark);
}

struct Entry {
  unsigned id;
  Glyph glyph;
};

constexpr Entry kGlyphs[] = {
    {IDB_SETTINGSW, &Settings},
    {IDB_PLAYSW, &Play},
    {IDB_STOPSW, &Stop},
    {IDB_FSW, &Next},
    {IDB_RSW, &Previous},
    {IDB_MINSW, &Minimise},
    {IDB_MAXSW, &Maximise},
    {IDB_MIDSW, &Restore},
    {IDB_BATUSW, &Exit},
    {IDB_PAUSESW, &Pause},
    {IDB_NAMESORTFSW, &NameForward},
    {IDB_TIMESORTFSW, &TimeForward},
    {IDB_HOMESW, &Home},
    {IDB_1UPSW, &OneUp},
    {IDB_FFSW, &Forward},
    {IDB_RRSW, &Back},
    {IDB_FILELISTSW, &FileList},
    {IDB_REPEATALLSW, &RepeatAll},
    {IDB_PLAYLISTSW, &Playlist},
    {IDB_MUSICSW, &Music},
    {IDB_FOLDERSW, &Folder},
    {IDB_PICTURESW, &Picture},
    {IDB_VIDEOSW, &Video},
    {IDB_OPENSW, &Open},
    {IDB_LISTHIDESW, &ListHide},
    {IDB_NAMESORTRSW, &NameReverse},
    {IDB_TIMESORTRSW, &TimeReverse},
    {IDB_REMOVEPLSW, &RemovePlaylist},
    {IDB_ADDPLAYLISTSW, &AddToPlaylist},
    {IDB_PLAYPLAYLISTSW, &PlayPlaylist},
    {IDB_MUSICPLSW, &InPlaylist<&Music>},
    {IDB_VIDEOPLSW, &InPlaylist<&Video>},
    {IDB_PICTUREPLSW, &InPlaylist<&Picture>},
    {IDB_REPEAT1SW, &RepeatOne},
    {IDB_RANDOMSW, &Random},
    {IDB_NOREPEATSW, &NoRepeat},
    {IDB_DRIVESW, &Drive},
};

}  // namespace

Glyph GlyphFor(unsigned id) {
  for (const Entry& e : kGlyphs)
    if (e.id == id) return e.glyph;
  return nullptr;
}

}  // namespace resgen
