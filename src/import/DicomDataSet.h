#pragma once

// Reading the elements of a DICOM data set the library has parsed: the items
// of sequences, texts, raw bytes and numbers. Every function takes a data set
// that may be null (an item or a sequence the file lacks) and then gives
// nothing, so that chains of look-ups need no checks between them.

#include <gdcmDataSet.h>
#include <gdcmSequenceOfItems.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <vector>

using DicomItems = gdcm::SmartPointer<gdcm::SequenceOfItems>;

// The items of sequence `tag`, or null when the set lacks it or it is empty.
DicomItems dicomSequence(const gdcm::DataSet *set, const gdcm::Tag &tag);

// The data set of item `index` (1-based) of a sequence, or null.
const gdcm::DataSet *dicomItem(const DicomItems &items, size_t index);

// The first item of sequence `tag`, or null.
const gdcm::DataSet *firstItem(const gdcm::DataSet *set, const gdcm::Tag &tag);

// The first item of functional group `macro` in a frame's own groups, else
// in the groups all frames share.
const gdcm::DataSet *functionalGroup(const gdcm::DataSet *own, const gdcm::DataSet *shared,
                                     const gdcm::Tag &macro);

// The element's value as it is stored, or empty.
QByteArray elementBytes(const gdcm::DataSet *set, const gdcm::Tag &tag);

// The element's value as text, without the padding of spaces and NULs.
QString elementText(const gdcm::DataSet *set, const gdcm::Tag &tag);

// Numbers of a backslash-separated decimal string ("0.5\\0.5"); fewer than
// `count` finite numbers gives an empty list.
std::vector<double> dicomNumbers(const QString &text, size_t count);

// Copies the first N numbers of the element into `to`; false, leaving `to`,
// when the element holds fewer.
template<size_t N> bool takeNumbers(const gdcm::DataSet *set, const gdcm::Tag &tag, double (&to)[N])
{
    const std::vector<double> v = dicomNumbers(elementText(set, tag), N);
    if (v.empty())
        return false;
    std::copy(v.begin(), v.end(), to);
    return true;
}
