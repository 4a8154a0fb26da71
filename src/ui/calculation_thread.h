// The calculation thread: runs both passes of the search on a root plan and reports to the window
// through blocking calls into the window's thread (start, new best plan, error, end). It reads the
// stop request, an atomic flag of the window, at every node of the search.
#pragma once

#include <QThread>
#include <memory>

#include "engine/bearbeitung.h"
#include "engine/engine_context.h"

namespace zelk {

class TMainform;

class TBerechnungsthread : public QThread {
public:
    // The thread owns the job context and the root plan; depth budget and limits are fixed for
    // the whole run.
    TBerechnungsthread(TMainform& window, std::unique_ptr<EngineContext> engine,
                       std::unique_ptr<TBearbeitung> root, bool totalsPending, int budget,
                       SelectionLimits limits);

protected:
    void run() override;

private:
    TMainform& window_;
    std::unique_ptr<EngineContext> engine_;
    std::unique_ptr<TBearbeitung> root_;
    bool totalsPending_;
    int budget_;
    SelectionLimits limits_;
};

}  // namespace zelk
