#include "workbook/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace tabulor {

std::size_t TMemoryReader::Read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min(size, Rest.size());
    if (count != 0)
        std::memcpy(buffer, Rest.data(), count);
    Rest.remove_prefix(count);
    return count;
}

}  // namespace tabulor
