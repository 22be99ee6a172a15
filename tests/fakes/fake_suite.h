#pragma once

#include "external/suite.h"
#include "tests/fakes/call_log.h"
#include "tests/fakes/fake_common.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_fiscal.h"
#include "tests/fakes/fake_sales.h"

namespace tmk {

// One fake of each suite library, all writing into one ordered call log.
class FakeSuite {
public:
    CallLog log;
    FakeDialogs dialogs{log};
    FakeFiscal fiscal{log};
    FakeSales sales{log};
    FakeCommon common{log};

    FakeSuite() = default;
    FakeSuite(const FakeSuite&) = delete;
    FakeSuite& operator=(const FakeSuite&) = delete;

    // The bundle the screen receives; it points into this object.
    SuiteLibraries libraries() { return {&dialogs, &fiscal, &sales, &common}; }

    QList<RecordedCall> calls(const QString& name) const { return log.calls(name); }
    int count(const QString& name) const { return log.count(name); }
    RecordedCall last(const QString& name) const { return log.last(name); }
    QStringList names() const { return log.names(); }
    void clear() { log.clear(); }
};

} // namespace tmk
