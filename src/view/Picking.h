#pragma once

#include <QtGlobal>

// Entries of the selection buffer of one pick.
constexpr qint32 kSelectBufferSize = 65025;

// The name of the nearest hit in an OpenGL selection buffer of `size`
// entries holding `hits` records (name count, minimum depth, maximum depth,
// the names): the top name of the record with the smallest minimum depth,
// the earlier record on a tie. 0 without a hit, also for the negative count
// of an overflowing buffer.
quint32 nearestHitName(const quint32 *buffer, qint32 hits, qint32 size);
