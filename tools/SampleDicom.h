#pragma once

// Setting elements of a data set that GDCM will write: the sample structure
// set and the sample segmentation both build theirs this way.

#include <gdcmDataSet.h>
#include <gdcmItem.h>
#include <gdcmSequenceOfItems.h>

#include <cstdint>
#include <string>
#include <vector>

// A text element, padded to an even length as the format wants.
inline void putText(gdcm::DataSet &set, uint16_t group, uint16_t element, gdcm::VR vr,
                    std::string value)
{
    if (value.size() % 2)
        value.push_back(vr == gdcm::VR::UI ? '\0' : ' ');
    gdcm::DataElement e(gdcm::Tag(group, element));
    e.SetVR(vr);
    e.SetByteValue(value.data(), uint32_t(value.size()));
    set.Replace(e);
}

// A binary element of the bytes given (little-endian numbers, pixel data).
inline void putBytes(gdcm::DataSet &set, uint16_t group, uint16_t element, gdcm::VR vr,
                     std::string bytes)
{
    if (bytes.size() % 2)
        bytes.push_back('\0');
    gdcm::DataElement e(gdcm::Tag(group, element));
    e.SetVR(vr);
    e.SetByteValue(bytes.data(), uint32_t(bytes.size()));
    set.Replace(e);
}

// Unsigned shorts, little-endian.
inline void putShorts(gdcm::DataSet &set, uint16_t group, uint16_t element,
                      const std::vector<uint16_t> &values)
{
    std::string bytes;
    for (uint16_t v : values) {
        bytes.push_back(char(v & 0xff));
        bytes.push_back(char(v >> 8));
    }
    putBytes(set, group, element, gdcm::VR::US, bytes);
}

// A sequence of undefined length whose items are the data sets given.
inline void putSequence(gdcm::DataSet &set, uint16_t group, uint16_t element,
                        const std::vector<gdcm::DataSet> &items)
{
    gdcm::SmartPointer<gdcm::SequenceOfItems> sq = new gdcm::SequenceOfItems;
    sq->SetLengthToUndefined();
    for (const gdcm::DataSet &nested : items) {
        gdcm::Item item;
        item.SetVLToUndefined();
        item.SetNestedDataSet(nested);
        sq->AddItem(item);
    }
    gdcm::DataElement e(gdcm::Tag(group, element));
    e.SetVR(gdcm::VR::SQ);
    e.SetValue(*sq);
    e.SetVLToUndefined();
    set.Replace(e);
}
