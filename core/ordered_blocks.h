// Converts the blocks of a text on several threads at once and appends what each gives to one
// output in the blocks' order, as if one thread had converted them one after the other.
//
// Memory stays bounded whatever a block's output: only a few blocks past the one being written
// may be converted ahead, each holds a few chunks at most, and the chunks' memory goes round.
// It does not cut the text: the blocks come as they are made, each taken by the next free
// thread.
#pragma once

#include <functional>

#include "output_lines.h"
#include "table_blocks.h"

namespace tabulor {

using TConvertBlock = std::function<void(const TTableBlock& block, TOutputLines& output)>;

// Returns once every block's output is in output. The first error of a block, or of cutting the
// blocks, stops the others and is raised here; so is the output's own.
void ConvertBlocksInOrder(TTableBlocks& blocks, const TConvertBlock& convert, TOutputLines& output,
                          unsigned threads);

}  // namespace tabulor
