#include "password_hash.h"

#include "gbk.h"

#include <sodium.h>

#include <array>

namespace tamsel::password_hash {

namespace {

// libsodium must be set up once before its first use; a failure here means
// no secure random source, and nothing of the lock can work without one.
bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Wipes the bytes it holds when it goes out of scope.
class SecretBytes
{
public:
    explicit SecretBytes(QByteArray bytes) : m_bytes(std::move(bytes)) { m_bytes.detach(); }
    ~SecretBytes() { wipe(m_bytes); }
    SecretBytes(const SecretBytes &) = delete;
    SecretBytes &operator=(const SecretBytes &) = delete;
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

bool isBlank(const QByteArray &bytes, qsizetype at, qsizetype length)
{
    return (length == 1 && bytes.at(at) == ' ')
        || (length == 2 && bytes.at(at) == '\xA1' && bytes.at(at + 1) == '\xA1');
}

// Equal byte strings, compared through their digests so neither the
// position of the first difference nor a difference in length shows in the
// time taken.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    std::array<unsigned char, crypto_generichash_BYTES> da{}, db{};
    crypto_generichash(da.data(), da.size(), reinterpret_cast<const unsigned char *>(a.constData()),
                       size_t(a.size()), nullptr, 0);
    crypto_generichash(db.data(), db.size(), reinterpret_cast<const unsigned char *>(b.constData()),
                       size_t(b.size()), nullptr, 0);
    const bool same = sodium_memcmp(da.data(), db.data(), da.size()) == 0;
    sodium_memzero(da.data(), da.size());
    sodium_memzero(db.data(), db.size());
    return same;
}

} // namespace

Result<QByteArray> hash(const QString &password)
{
    if (!sodiumReady())
        return Status::failure(QStringLiteral("密码库无法初始化"));
    const SecretBytes secret(password.toUtf8());
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, secret.bytes().constData(), quint64(secret.bytes().size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return Status::failure(QStringLiteral("无法计算密码的散列值（内存不足）"));
    return QByteArray(out);
}

bool isHash(const QByteArray &stored)
{
    return stored.startsWith(crypto_pwhash_argon2id_STRPREFIX);
}

QByteArray cleaned(const QByteArray &stored)
{
    QByteArray text = stored;
    if (const qsizetype cr = text.indexOf('\r'); cr >= 0)
        text.remove(cr, 1);
    if (const qsizetype lf = text.indexOf('\n'); lf >= 0)
        text.remove(lf, 1);

    // Walk the text character by character: a GBK lead byte (0x81..0xFE)
    // takes the next byte with it, so the tail byte of one character and the
    // lead of the next never pass for a full-width blank.
    qsizetype begin = 0, end = 0;
    bool leading = true;
    for (qsizetype at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text.at(at));
        const qsizetype length = byte >= 0x81 && byte <= 0xFE && at + 1 < text.size() ? 2 : 1;
        if (!isBlank(text, at, length)) {
            if (leading)
                begin = at;
            leading = false;
            end = at + length;
        }
        at += length;
    }
    return leading ? QByteArray() : text.mid(begin, end - begin);
}

Match check(const QString &typed, const QByteArray &stored)
{
    if (!sodiumReady())
        return Match::No;
    QByteArray value = cleaned(stored);
    Match match = Match::No;
    if (isHash(value)) {
        const SecretBytes secret(typed.toUtf8());
        // The hash text ends at the array's terminating zero, as verify wants.
        if (crypto_pwhash_str_verify(value.constData(), secret.bytes().constData(),
                                     quint64(secret.bytes().size()))
            == 0)
            match = Match::Hash;
    } else {
        const SecretBytes secret(gbk::encode(typed));
        const bool encodable = gbk::decode(secret.bytes()) == typed;
        if (sameBytes(secret.bytes(), value) && encodable)
            match = Match::Legacy;
    }
    wipe(value);
    return match;
}

void wipe(QByteArray &secret)
{
    if (secret.isEmpty())
        return;
    secret.detach();
    sodium_memzero(secret.data(), size_t(secret.size()));
    secret.clear();
}

} // namespace tamsel::password_hash
