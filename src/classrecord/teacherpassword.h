#pragma once

#include <QString>

// The teacher password that guards the teachers' area (saving in the wizard, editing,
// deleting, importing and exporting in the catalogue, Class Results). Only a salted,
// memory-hard hash of it is stored (libsodium's crypto_pwhash, Argon2id, in its own string
// form), under the key teacherPassword of the system settings (/etc/xdg/ondel/ondel.conf),
// which pupils cannot change. No password is set until a technician sets one.
namespace TeacherPassword {

inline constexpr int minimumLength = 6;

// Whether the system settings hold a password's hash.
bool isSet();
// Whether password is the one set; false when none is set.
bool matches(const QString &password);

// A fresh hash of password with a salt of its own. Throws std::runtime_error when the
// library cannot make one (out of memory).
QString hash(const QString &password);
// Whether hash is a hash of password.
bool verify(const QString &hash, const QString &password);

// Why password cannot be the teacher password (too short), else empty.
QString problem(const QString &password);
// Stores password's hash in the system settings, or removes it. Returns empty when done,
// else why not (the settings file cannot be written without the administrator's rights).
QString set(const QString &password);
QString clear();

// The system settings file that holds the hash.
QString settingsFile();

} // namespace TeacherPassword
