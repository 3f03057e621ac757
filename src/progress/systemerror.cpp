#include "progress/systemerror.h"

#include <cerrno>

namespace progress {

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("il disco è pieno");
    case EDQUOT:
        return QStringLiteral("lo spazio concesso su disco è esaurito");
    case EFBIG:
        return QStringLiteral("il file è troppo grande");
    case EACCES:
    case EPERM:
        return QStringLiteral("permesso negato");
    case EROFS:
        return QStringLiteral("il disco è di sola lettura");
    case EISDIR:
        return QStringLiteral("al suo posto c'è una cartella");
    case ENOTDIR:
    case ENOENT:
        return QStringLiteral("la cartella non esiste");
    case EIO:
        return QStringLiteral("errore del disco");
    case ELOOP:
    case ENAMETOOLONG:
        return QStringLiteral("il percorso non è valido");
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return QStringLiteral("risorse del sistema esaurite");
    default:
        return QStringLiteral("errore di sistema numero %1").arg(error);
    }
}

} // namespace progress
