#include "framework/graphics/DataElement.h"

namespace Quib
{

DataElement* SingleDataElement::Clone()
{
    return new SingleDataElement(mString);
}

ListDataElement::ListDataElement()
{
    mIsList = true;
}

ListDataElement::ListDataElement(const ListDataElement& other) : DataElement(other)
{
    mElementVector.reserve(other.mElementVector.size());
    for (DataElement* child : other.mElementVector)
        mElementVector.push_back(child->Clone());
}

ListDataElement& ListDataElement::operator=(const ListDataElement& other)
{
    if (this == &other)
        return *this;
    for (DataElement* child : mElementVector)
        delete child;
    mElementVector.clear();
    for (DataElement* child : other.mElementVector)
        mElementVector.push_back(child->Clone());
    return *this;
}

ListDataElement::~ListDataElement()
{
    for (DataElement* child : mElementVector)
        delete child;
}

DataElement* ListDataElement::Clone()
{
    return new ListDataElement(*this);
}

} // namespace Quib
