#pragma once

#include <QFont>

// The labels' face "宋体", bold, at the given size; on machines without it a Song-style CJK
// face stands in.
QFont songFont(double pointSize);

// The font in the labels' Song face, at its own size and weight: menus in the system's Latin face
// would have another CJK face searched for and loaded at start-up, for their Han characters.
QFont inSongFace(QFont font);
