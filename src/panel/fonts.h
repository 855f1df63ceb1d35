#pragma once

#include <QFont>

// The labels' face "宋体", bold, at the given size; on machines without it a Song-style CJK
// face stands in.
QFont songFont(double pointSize);
