#include "framework/Errors.h"

#include <cerrno>
#include <cstring>

namespace fw {

String FrenchReason(int err) {
  switch (err) {
    case 0:
      return QStringLiteral("Aucune erreur");
    case EACCES:
      return QStringLiteral("Permission refusée");
    case EPERM:
      return QStringLiteral("Opération non permise");
    case ENOENT:
      return QStringLiteral("Fichier introuvable");
    case EEXIST:
      return QStringLiteral("Un fichier porte déjà ce nom");
    case EROFS:
      return QStringLiteral("Système de fichiers en lecture seule");
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case ENOTSUP:
      return QStringLiteral("Opération non prise en charge par le système de fichiers");
    case EINVAL:
      return QStringLiteral("Argument non valide");
    case ENAMETOOLONG:
      return QStringLiteral("Nom de fichier trop long");
    case EXDEV:
      return QStringLiteral("Le fichier ne peut pas changer de système de fichiers");
    case ENOSPC:
      return QStringLiteral("Plus de place sur le disque");
    case EIO:
      return QStringLiteral("Erreur d'entrée-sortie");
    default:
      return QString::fromLocal8Bit(std::strerror(err));
  }
}

}  // namespace fw
