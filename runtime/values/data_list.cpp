// The program's embedded data lines, read item by item.
#include "base/error_codes.h"
#include "base/fatal_error.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"
#include "values/number_text.h"

namespace {

const DataBlock* g_block = nullptr;
RtInt g_cursor = 0;

// The next item, or null after ending the program because the data ran out.
const DataItem* NextItem() {
    if (!g_block || !g_block->items || g_cursor < 0 || g_cursor >= g_block->count) {
        tvk::EndOnFatalError(tvk::kErrorOutOfData, "read past the end of the data");
        return nullptr;  // only while the program is already ending
    }
    return &g_block->items[g_cursor++];
}

}  // namespace

void RestoreData(const DataBlock* block) {
    g_block = block;
    g_cursor = 0;
}

void ReadDataString(RtString& target) {
    const DataItem* item = NextItem();
    if (!item) return;
    if (item->text) target = item->text;
    else target = RtString(item->number);
}

void ReadDataNumber(RtNumber& target) {
    const DataItem* item = NextItem();
    if (!item) return;
    target = item->text ? tvk::TextToNumber(item->text) : item->number;
}

void ReadDataInt(RtInt& target) {
    const DataItem* item = NextItem();
    if (!item) return;
    target = item->text ? tvk::TextToInt(item->text) : tvk::TruncateToInt(item->number);
}

void EndOfProgram() {
    SetErrorCode(tvk::kErrorSuccess);
    EndProgram();
}
