#pragma once

#include "NumberFormat.h"

#include <QString>

#include <cstring>
#include <memory>
#include <string_view>

class QFileDevice;

// Collects the bytes of a file in a large block of memory and hands them to the
// file a block at a time, so that a writer formats millions of numbers
// without a call into the file for each one.
class OutputBuffer
{
public:
    explicit OutputBuffer(QFileDevice &file);

    void bytes(const void *data, std::size_t n)
    {
        reserve(n);
        std::memcpy(pos, data, n);
        pos += n;
    }
    void text(std::string_view s) { bytes(s.data(), s.size()); }
    void ch(char c)
    {
        reserve(1);
        *pos++ = c;
    }
    void utf8(const QString &s) { text(s.toStdString()); }
    void num(long long value)
    {
        reserve(kMaxNumberChars);
        pos = appendInt(pos, value);
    }
    // printf "%g" of the value.
    void g(double value)
    {
        reserve(kMaxNumberChars);
        pos = appendG(pos, value);
    }
    // printf "%.8e" of the value rounded to single precision.
    void e8(double value)
    {
        reserve(kMaxNumberChars);
        pos = appendE8(pos, value);
    }
    // x, y and z in the forms of g() and e8(), separated by `separator`.
    void gTriple(const double *xyz, std::string_view separator = " ")
    {
        g(xyz[0]);
        text(separator);
        g(xyz[1]);
        text(separator);
        g(xyz[2]);
    }
    void e8Triple(const double *xyz)
    {
        e8(xyz[0]);
        ch(' ');
        e8(xyz[1]);
        ch(' ');
        e8(xyz[2]);
    }
    // Room for n raw bytes, to be filled by the caller and passed to advance().
    char *claim(std::size_t n)
    {
        reserve(n);
        return pos;
    }
    void advance(std::size_t n) { pos += n; }

    // Hands everything collected so far to the file; false when the file
    // took less than all of it (now or at an earlier flush).
    bool flush();

private:
    static constexpr std::size_t kCapacity = std::size_t(1) << 20;

    void reserve(std::size_t n)
    {
        if (std::size_t(end - pos) < n)
            makeRoom(n);
    }
    void makeRoom(std::size_t n);
    void startWriteback(qint64 size);

    QFileDevice &file;
    std::unique_ptr<char[]> storage;
    std::size_t capacity = kCapacity;
    char *pos;
    char *end;
    qint64 written = 0;
    bool failed = false;
};
