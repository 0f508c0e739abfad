#include "qt/PeerBus.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "platform/PeerSocket.h"

namespace {

constexpr int kIdleConnectionMs = 5000;

// The process id, and a count for further ends made in the same process (tests run several
// windows in one process).
std::int64_t NextHandle()
{
    static int made = 0;
    return QCoreApplication::applicationPid() * 100 + (made++ % 100);
}

std::string Bytes(const QByteArray& a) { return std::string(a.constData(), static_cast<std::size_t>(a.size())); }

QByteArray Frame(const peer::TMessage& m)
{
    const std::string f = peer::Encode(m);
    return QByteArray(f.data(), static_cast<qsizetype>(f.size()));
}

} // namespace

TPeerBus::TPeerBus(QObject* parent, QString folder)
    : QObject(parent), FFolder(std::move(folder)), FHandle(NextHandle()),
      FAllowedUid(CurrentUserId())
{
}

TPeerBus::~TPeerBus()
{
    if (FServer != nullptr)
        FServer->close(); // removes the socket file
}

bool TPeerBus::Start()
{
    const TPeerFolder folder = FFolder.isEmpty() ? PreparePeerFolder()
                                                 : PreparePeerFolder(QFile::encodeName(FFolder).toStdString());
    if (folder.Path.empty()) {
        FError = QString::fromLocal8Bit(folder.Error.c_str());
        return false;
    }
    FFolder = QFile::decodeName(folder.Path.c_str());
    FSocketPath = FFolder + QStringLiteral("/%1.sock").arg(FHandle);
    // A socket of a dead copy that had this process id.
    QLocalServer::removeServer(FSocketPath);
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!FServer->listen(FSocketPath)) {
        FError = FServer->errorString();
        delete FServer;
        FServer = nullptr;
        return false;
    }
    connect(FServer, &QLocalServer::newConnection, this, &TPeerBus::Accept);
    return true;
}

bool TPeerBus::Listening() const { return FServer != nullptr && FServer->isListening(); }

bool TPeerBus::TrustedPeer(QLocalSocket* socket) const
{
    std::uint32_t uid = 0;
    return PeerUserId(static_cast<std::intptr_t>(socket->socketDescriptor()), uid) &&
           uid == FAllowedUid;
}

void TPeerBus::Accept()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!TrustedPeer(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Serve(socket);
    }
}

void TPeerBus::Serve(QLocalSocket* socket)
{
    auto buffer = std::make_shared<QByteArray>();
    // A peer that says nothing is not waited for.
    QTimer::singleShot(kIdleConnectionMs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        if (static_cast<std::size_t>(buffer->size()) > peer::kHeaderSize + peer::kMaxPayload) {
            socket->abort();
            return;
        }
        peer::TMessage m;
        std::size_t used = 0;
        switch (peer::Decode(std::string_view(buffer->constData(), static_cast<std::size_t>(buffer->size())), m, used)) {
        case peer::TDecode::NeedMore:
            return;
        case peer::TDecode::Malformed:
            socket->abort();
            return;
        case peer::TDecode::Done:
            buffer->clear();
            Handle(socket, m);
            return;
        }
    });
}

TPeerInfo TPeerBus::SelfInfo() const
{
    TPeerInfo info = OnQuery ? OnQuery() : TPeerInfo{};
    info.Handle = FHandle;
    info.Socket = FSocketPath;
    info.Self = true;
    return info;
}

void TPeerBus::Handle(QLocalSocket* socket, const peer::TMessage& m)
{
    QPointer<QLocalSocket> guard(socket);
    auto answer = [&](const peer::TMessage& reply) {
        if (!guard)
            return;
        guard->write(Frame(reply));
        guard->flush();
        if (guard->state() == QLocalSocket::ConnectedState)
            guard->waitForBytesWritten(kAnswerTimeoutMs);
    };
    switch (m.Type) {
    case peer::TType::Query: {
        const TPeerInfo info = SelfInfo();
        answer(peer::Make(peer::TType::Info, {info.Handle, info.Minimised ? 1 : 0, info.CaretLine},
                          {Bytes(info.Title.toUtf8()), info.Path}));
        break;
    }
    case peer::TType::Activate:
        if (OnActivate)
            OnActivate();
        break;
    case peer::TType::Close: {
        const bool closed = OnClose ? OnClose() : false;
        answer(peer::Make(peer::TType::CloseAnswer, {closed ? 1 : 0}));
        break;
    }
    case peer::TType::LineJump:
        if (OnLineJump) {
            const std::int64_t line = std::clamp<std::int64_t>(m.Numbers[0], 0, 0x7FFFFFFF);
            OnLineJump(static_cast<int>(line));
        }
        break;
    case peer::TType::SetGeometry:
        if (OnSetGeometry) {
            auto c = [](std::int64_t v, std::int64_t lo, std::int64_t hi) {
                return static_cast<int>(std::clamp(v, lo, hi));
            };
            OnSetGeometry(QRect(c(m.Numbers[0], -100000, 100000), c(m.Numbers[1], -100000, 100000),
                                c(m.Numbers[2], 1, 100000), c(m.Numbers[3], 1, 100000)));
        }
        break;
    case peer::TType::Info:
    case peer::TType::CloseAnswer:
        break; // answers are not requests
    }
    if (guard)
        guard->disconnectFromServer();
}

std::optional<peer::TMessage> TPeerBus::Exchange(const QString& path, const peer::TMessage& m,
                                                 bool answer, int timeoutMs, bool* reached)
{
    if (reached != nullptr)
        *reached = false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kAnswerTimeoutMs)) {
        // Nobody listens: the copy that made it died without removing it.
        if (socket.error() == QLocalSocket::ConnectionRefusedError && path != FSocketPath &&
            QFileInfo(path).absolutePath() == QFileInfo(FFolder).absoluteFilePath())
            QFile::remove(path);
        return std::nullopt;
    }
    if (!TrustedPeer(&socket))
        return std::nullopt;
    socket.write(Frame(m));
    socket.flush();
    if (reached != nullptr)
        *reached = true;
    if (!answer) {
        if (socket.state() == QLocalSocket::ConnectedState)
            socket.waitForBytesWritten(kAnswerTimeoutMs);
        socket.disconnectFromServer();
        return std::nullopt;
    }

    std::optional<peer::TMessage> result;
    QByteArray buffer;
    QEventLoop loop;
    auto take = [&] {
        buffer.append(socket.readAll());
        peer::TMessage reply;
        std::size_t used = 0;
        const auto d = peer::Decode(std::string_view(buffer.constData(), static_cast<std::size_t>(buffer.size())),
                                    reply, used);
        if (d == peer::TDecode::Done)
            result = std::move(reply);
        if (d != peer::TDecode::NeedMore)
            loop.quit();
    };
    connect(&socket, &QLocalSocket::readyRead, &loop, take);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (timeoutMs > 0)
        timer.start(timeoutMs);
    if (socket.bytesAvailable() > 0)
        take();
    // The asking copy waits as a sent window message did: its own window takes no input
    // meanwhile, but other copies' requests are still answered.
    if (!result && socket.state() == QLocalSocket::ConnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!result && socket.bytesAvailable() > 0)
        take();
    return result;
}

QList<TPeerInfo> TPeerBus::ListCopies(int limit)
{
    QList<TPeerInfo> list;
    QList<std::int64_t> handles;
    if (!FFolder.isEmpty()) {
        const QStringList names = QDir(FFolder).entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files);
        for (const QString& name : names) {
            bool ok = false;
            const std::int64_t h = name.chopped(5).toLongLong(&ok);
            if (ok)
                handles << h;
        }
    }
    if (Listening() && !handles.contains(FHandle))
        handles << FHandle;
    std::sort(handles.begin(), handles.end());
    for (std::int64_t h : handles) {
        if (limit >= 0 && list.size() >= limit)
            break;
        if (h == FHandle && Listening()) {
            list << SelfInfo();
            continue;
        }
        const QString path = FFolder + QStringLiteral("/%1.sock").arg(h);
        const auto reply = Exchange(path, peer::Make(peer::TType::Query), true, kAnswerTimeoutMs);
        if (!reply || reply->Type != peer::TType::Info || reply->Handle() != h)
            continue;
        TPeerInfo info;
        info.Handle = h;
        info.Minimised = reply->Minimised();
        info.CaretLine = static_cast<int>(std::clamp<std::int64_t>(reply->CaretLine(), 0, 0x7FFFFFFF));
        info.Title = QString::fromUtf8(reply->Title().data(), static_cast<qsizetype>(reply->Title().size()));
        info.Path = reply->Path();
        info.Socket = path;
        list << info;
    }
    if (list.isEmpty() && !Listening())
        list << SelfInfo(); // alone and unreachable, but still a copy
    return list;
}

bool TPeerBus::Activate(const TPeerInfo& peer)
{
    if (peer.Self) {
        if (OnActivate)
            OnActivate();
        return true;
    }
    bool reached = false;
    Exchange(peer.Socket, peer::Make(peer::TType::Activate), false, 0, &reached);
    return reached;
}

bool TPeerBus::LineJump(const TPeerInfo& peer, int line)
{
    if (peer.Self) {
        if (OnLineJump)
            OnLineJump(line);
        return true;
    }
    bool reached = false;
    Exchange(peer.Socket, peer::Make(peer::TType::LineJump, {line}), false, 0, &reached);
    return reached;
}

bool TPeerBus::SetGeometry(const TPeerInfo& peer, const QRect& r)
{
    if (peer.Self) {
        if (OnSetGeometry)
            OnSetGeometry(r);
        return true;
    }
    bool reached = false;
    Exchange(peer.Socket, peer::Make(peer::TType::SetGeometry, {r.x(), r.y(), r.width(), r.height()}),
             false, 0, &reached);
    return reached;
}

std::optional<bool> TPeerBus::RequestClose(const TPeerInfo& peer)
{
    if (peer.Self)
        return OnClose ? OnClose() : false;
    const auto reply = Exchange(peer.Socket, peer::Make(peer::TType::Close), true, 0);
    if (!reply || reply->Type != peer::TType::CloseAnswer)
        return std::nullopt;
    return reply->Numbers[0] != 0;
}

bool TPeerBus::SendRaw(const QString& path, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kAnswerTimeoutMs))
        return false;
    socket.write(bytes);
    socket.flush();
    if (socket.state() == QLocalSocket::ConnectedState)
        socket.waitForBytesWritten(kAnswerTimeoutMs);
    // The peer hangs up on what it cannot parse; wait for that (in an event loop, so a peer
    // in this very process can run).
    QEventLoop loop;
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(kAnswerTimeoutMs, &loop, &QEventLoop::quit);
    if (socket.state() == QLocalSocket::ConnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return socket.state() != QLocalSocket::ConnectedState;
}
