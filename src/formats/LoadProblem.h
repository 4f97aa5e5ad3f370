#pragma once

#include <QString>

class BasicClass;
class FileBytes;

// What a reader knows of a failed load beyond its result code (which vertex is
// not a finite point, that the file was shortened while it was read), for the
// message the user sees. Kept per thread; a load clears it when it starts.
void clearLoadProblem();
void setLoadProblem(const QString &text);
QString loadProblem();

// Refuses a block with a vertex that is not a finite point: records the first
// one and throws errUnknown. Every reader runs it on the blocks it builds.
void requireFiniteVertices(const BasicClass &block);
// Refuses bytes taken from a file that has been shortened since: the missing
// part read as zeros. Throws errUnknown.
void requireIntact(const FileBytes &file);
