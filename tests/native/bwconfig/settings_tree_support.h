// A settings tree that uses every record class, field type and byte value.
#pragma once

#include <memory>

#include "settings/storage.h"

namespace bw::bwconfig {

std::unique_ptr<TStorage> MakeRichTree();

}  // namespace bw::bwconfig
