#include "partialcalls.h"

#include "knowncalls.h"

#include "store/callreader.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QThread>

PartialCalls::PartialCalls(Store &store, QObject *parent) : QObject(parent), m_store(store) {}

PartialCalls::~PartialCalls()
{
    stopReading();
}

void PartialCalls::load(const QString &knownCallsFile)
{
    m_fileName = knownCallsFile;
    startReading(true);
}

void PartialCalls::reloadLog()
{
    startReading(false);
}

void PartialCalls::stopReading()
{
    if (!m_reader)
        return;
    *m_stop = true;
    m_reader->wait();
    delete m_reader;
    m_reader = nullptr;
}

void PartialCalls::startReading(bool withFile)
{
    stopReading();
    const int generation = ++m_generation;
    m_pendingAdded.clear();
    m_pendingDropped.clear();
    m_logOnItsWay = true;
    m_stop = std::make_shared<std::atomic_bool>(false);
    const QString file = withFile ? m_fileName : QString();
    const QString path = m_store.isOpen() ? m_store.path() : QString();
    // The work runs on its own thread and hands each index over whole, as
    // an event, so the indexes are touched only here. A result of an
    // earlier reading is dropped.
    m_reader = QThread::create([this, generation, file, path, stop = m_stop] {
        if (!file.isEmpty()) {
            auto index = std::make_unique<CallIndex>();
            QString error;
            {
                // The file's list goes before the log is read: only its index stays.
                const KnownCalls known = readKnownCalls(file, *stop);
                index->reserve(size_t(known.calls.size()), size_t(known.calls.size()) * 20);
                for (const QString &call : known.calls)
                    index->add(call);
                error = known.error;
            }
            index->freeze();
            QMetaObject::invokeMethod(
                this,
                [this, generation, error, index = std::move(index)] {
                    if (generation != m_generation)
                        return;
                    m_file = std::move(*index);
                    if (!error.isEmpty())
                        emit fileFailed(error);
                    if (m_logReady)
                        hideLogCallsInFile();
                    emit changed();
                },
                Qt::QueuedConnection);
        }
        auto index = std::make_unique<CallIndex>();
        const bool read = path.isEmpty() || readLogCalls(path, *stop, [&](qint64 total, const QStringList &calls) {
                              if (index->size() == 0)
                                  index->reserve(size_t(total) * 2, size_t(total) * 2 * 20);
                              for (const QString &call : calls)
                                  index->add(call);
                          });
        if (*stop)
            return;
        if (read)
            index->freeze();
        else
            index.reset();
        QMetaObject::invokeMethod(
            this,
            [this, generation, index = std::move(index)] {
                if (generation != m_generation)
                    return;
                m_logOnItsWay = false;
                if (index) {
                    m_log = std::move(*index);
                    m_logReady = true;
                    hideLogCallsInFile();
                    apply(m_pendingAdded, m_pendingDropped);
                }
                m_pendingAdded.clear();
                m_pendingDropped.clear();
                emit changed();
            },
            Qt::QueuedConnection);
    });
    m_reader->setParent(this);
    // Only spare time: the first frame and every keystroke come first.
    m_reader->start(QThread::IdlePriority);
}

void PartialCalls::hideLogCallsInFile()
{
    for (uint32_t entry = 0; entry < m_file.entries(); ++entry) {
        const QString call = m_file.call(entry);
        m_file.setListed(call, !m_log.contains(call));
    }
}

void PartialCalls::logChanged(const QStringList &added, const QStringList &dropped)
{
    // Until this reading's result is taken in, a change made now must be
    // made again on it: the reader may have passed that QSO already.
    if (m_logOnItsWay) {
        m_pendingAdded << added;
        m_pendingDropped << dropped;
    }
    apply(added, dropped);
    emit changed();
}

void PartialCalls::apply(const QStringList &added, const QStringList &dropped)
{
    bool failed = false;
    for (const QString &call : dropped) {
        bool kept = true;
        // A call the store cannot be asked about stays listed; said once.
        try {
            if (!failed)
                kept = m_store.hasCall(call);
        } catch (const StoreError &e) {
            failed = true;
            emit readFailed(e.text());
        }
        if (!kept) {
            m_log.remove(call);
            m_file.setListed(call, true);
        }
    }
    // The heard station is listed before the worked one of the same QSO.
    for (auto call = added.rbegin(); call != added.rend(); ++call) {
        if (call->isEmpty())
            continue;
        m_log.touch(*call);
        m_file.setListed(*call, false);
    }
}
