// Batch send: the settings model into every connected, checked controller,
// one memory each (the record's MEMORY_NO, which the controller is switched
// to). An item is written only when the controller holds another value
// (decimals compared at four decimals); the two scalings are always written;
// items the memory's modes make meaningless are left out. The send interval
// follows every write.
#pragma once

#include "settings/batch_progress.h"
#include "settings/operation_context.h"
#include "settings/settings_model.h"

namespace tavimo::settings {

// The double a decimal setting becomes when written as "0.0000" text and
// read back: what a controller holding that setting answers.
double atFourDecimals(double value);

// Online only (offline: code 0, nothing done). Per-controller failures are
// shown as "ID" + id + line break + text and the loop goes on. The code is
// 0 or the reported failure code (500, 501, 300 end the application). The
// model is only read.
BatchResult batchSend(OperationContext& ctx, const SettingsModel& model);

// One controller, memory `memory` of its record: 0 success, 1..23 the
// failing step's code, 100 head type mismatch (nothing written). A memory
// outside 0..3 fails the memory step (2) before anything is written.
int sendController(OperationContext& ctx, const SettingsModel& model, int id, int memory,
                   BatchProgress* progress = nullptr);

} // namespace tavimo::settings
