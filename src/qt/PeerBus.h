#pragma once
// How copies of the program find and talk to one another: each copy listens on a local socket
// in the user's private folder; the others enumerate the folder, connect, and send the
// messages of platform/PeerProtocol.h. Connections from another user are refused; a socket a
// dead copy left behind is removed by the first copy that finds nobody answering it.
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/PeerProtocol.h"

class QLocalServer;
class QLocalSocket;

struct TPeerInfo {
    std::int64_t Handle = 0;
    QString Title;
    std::string Path; // the document's path as the copy holds it (native bytes), empty if untitled
    bool Minimised = false;
    int CaretLine = 0; // 0-based logical line of the caret
    QString Socket;   // where to reach it
    bool Self = false;
};

class TPeerBus : public QObject {
    Q_OBJECT
public:
    // `folder` empty: the user's private folder (PreparePeerFolder).
    explicit TPeerBus(QObject* parent = nullptr, QString folder = {});
    ~TPeerBus() override;

    // Starts listening; false (and Error says why) when there is no private folder or the
    // socket cannot be made. The program then runs alone.
    bool Start();
    bool Listening() const;
    const QString& Error() const { return FError; }
    const QString& Folder() const { return FFolder; }
    const QString& SocketPath() const { return FSocketPath; }
    std::int64_t Handle() const { return FHandle; }
    // For tests running several copies' ends in one process: another handle (before Start).
    void SetHandle(std::int64_t handle) { FHandle = handle; }

    // For tests: the user id peers must have (this process's by default).
    void SetAllowedUserId(std::uint32_t uid) { FAllowedUid = uid; }

    // Every copy that answers, this one included, in handle order; stops once `limit` are
    // found (-1: all). Sockets nobody answers are removed.
    QList<TPeerInfo> ListCopies(int limit = -1);
    bool Activate(const TPeerInfo& peer);
    bool LineJump(const TPeerInfo& peer, int line);
    bool SetGeometry(const TPeerInfo& peer, const QRect& frame);
    // The peer's answer to a close request (true: it closed); nullopt when it could not be
    // asked. Waits as long as the peer's save prompt takes, serving other requests meanwhile.
    std::optional<bool> RequestClose(const TPeerInfo& peer);

    // Sends raw bytes and waits for the peer to hang up or answer (tests of malformed input).
    bool SendRaw(const QString& socket, const QByteArray& bytes);

    // What this copy answers; the main window fills these in.
    std::function<TPeerInfo()> OnQuery;
    std::function<void()> OnActivate;
    std::function<bool()> OnClose;
    std::function<void(int)> OnLineJump;
    std::function<void(const QRect&)> OnSetGeometry;

    // How long a peer gets to answer a question (close requests wait without limit).
    static constexpr int kAnswerTimeoutMs = 2000;

private:
    void Accept();
    void Serve(QLocalSocket* socket);
    void Handle(QLocalSocket* socket, const peer::TMessage& m);
    // One request on a new connection; the answer when one is expected and arrived.
    std::optional<peer::TMessage> Exchange(const QString& socket, const peer::TMessage& m,
                                           bool answer, int timeoutMs, bool* reached = nullptr);
    bool TrustedPeer(QLocalSocket* socket) const;
    TPeerInfo SelfInfo() const;

    QString FFolder;
    QString FSocketPath;
    QString FError;
    QLocalServer* FServer = nullptr;
    std::int64_t FHandle = 0;
    std::uint32_t FAllowedUid;
};
