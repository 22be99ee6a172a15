#pragma once

namespace tmk {

// Ends the process abruptly (SIGKILL on itself) when the environment variable
// TMK_FAILPOINT names this point, so that a harness can stop the receipt at a chosen
// moment and check what a restarted till finds. The variable is read once; unset, a call
// costs one comparison.
//
// Points of the receipt: "after_claim" (the table claimed), "after_sale" (the sale
// stored, with its NFC-e on an NFC-e till), "after_fiscal" (the fiscal document
// recorded), "after_settle" (the table settled).
void failpoint(const char* nome);

} // namespace tmk
