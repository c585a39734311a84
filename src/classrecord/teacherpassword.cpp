#include "teacherpassword.h"

#include <QSettings>

#include <sodium.h>

#include <memory>
#include <stdexcept>

namespace TeacherPassword {

namespace {

const QString key = QStringLiteral("teacherPassword");

std::unique_ptr<QSettings> systemSettings()
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                                QStringLiteral("ondel"), QStringLiteral("ondel"));
    settings->setFallbacksEnabled(false);
    return settings;
}

QString stored()
{
    return systemSettings()->value(key).toString().trimmed();
}

void initialise()
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot be initialised");
}

QString store(const QString &hash)
{
    const auto settings = systemSettings();
    if (hash.isEmpty())
        settings->remove(key);
    else
        settings->setValue(key, hash);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return {};
    return QStringLiteral("%1 cannot be written; the teacher password is set by the "
                          "administrator (root)")
        .arg(settings->fileName());
}

} // namespace

bool isSet()
{
    return !stored().isEmpty();
}

bool matches(const QString &password)
{
    const QString hashed = stored();
    return !hashed.isEmpty() && verify(hashed, password);
}

QString hash(const QString &password)
{
    initialise();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw std::runtime_error("out of memory while hashing the password");
    return QString::fromLatin1(out);
}

bool verify(const QString &hash, const QString &password)
{
    initialise();
    const QByteArray stored = hash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size()))
        == 0;
}

QString problem(const QString &password)
{
    if (password.size() < minimumLength)
        return QStringLiteral("a teacher password needs at least %1 characters").arg(minimumLength);
    return {};
}

QString set(const QString &password)
{
    if (const QString why = problem(password); !why.isEmpty())
        return why;
    return store(hash(password));
}

QString clear()
{
    return store(QString());
}

QString settingsFile()
{
    return systemSettings()->fileName();
}

} // namespace TeacherPassword
