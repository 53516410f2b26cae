#pragma once

#include <string>

namespace Quib
{

// Replaces &lt; &amp; &gt; &quot; &apos; &nbsp; (a plain space) and &cr; (a
// line feed). An unknown entity leaves a single '&'; an '&' with no ';' after
// it stays as it is.
std::string DecodeXmlEntities(const std::string& text);
std::u16string DecodeXmlEntitiesWide(const std::u16string& text);

} // namespace Quib
