// Reading the elements of a parsed DICOM data set.

#include "DicomDataSet.h"

#include <cmath>

#include <QStringList>

DicomItems dicomSequence(const gdcm::DataSet *set, const gdcm::Tag &tag)
{
    if (!set || !set->FindDataElement(tag))
        return nullptr;
    const gdcm::DataElement &element = set->GetDataElement(tag);
    if (element.IsEmpty())
        return nullptr;
    return element.GetValueAsSQ();
}

const gdcm::DataSet *dicomItem(const DicomItems &items, size_t index)
{
    if (!items || index < 1 || index > items->GetNumberOfItems())
        return nullptr;
    return &items->GetItem(index).GetNestedDataSet();
}

const gdcm::DataSet *firstItem(const gdcm::DataSet *set, const gdcm::Tag &tag)
{
    return dicomItem(dicomSequence(set, tag), 1);
}

const gdcm::DataSet *functionalGroup(const gdcm::DataSet *own, const gdcm::DataSet *shared,
                                     const gdcm::Tag &macro)
{
    if (const gdcm::DataSet *found = firstItem(own, macro))
        return found;
    return firstItem(shared, macro);
}

QByteArray elementBytes(const gdcm::DataSet *set, const gdcm::Tag &tag)
{
    if (!set || !set->FindDataElement(tag))
        return {};
    const gdcm::ByteValue *value = set->GetDataElement(tag).GetByteValue();
    if (!value || !value->GetPointer())
        return {};
    return QByteArray(value->GetPointer(), qsizetype(value->GetLength()));
}

QString elementText(const gdcm::DataSet *set, const gdcm::Tag &tag)
{
    return QString::fromUtf8(elementBytes(set, tag)).remove(QChar(0)).trimmed();
}

std::vector<double> dicomNumbers(const QString &text, size_t count)
{
    const QStringList words = text.split(u'\\');
    if (size_t(words.size()) < count)
        return {};
    std::vector<double> numbers;
    for (size_t i = 0; i < count; ++i) {
        bool ok = false;
        const double v = words[qsizetype(i)].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return {};
        numbers.push_back(v);
    }
    return numbers;
}
