#include "framework/Errors.h"

#include <cerrno>
#include <cstring>

namespace fw {

String FrenchReason(int err) {
  switch (err) {
    case 0: return QStringLiteral("Aucune erreur");
    case EACCES: return QStringLiteral("Permission refusée");
    case EPERM: return QStringLiteral("Opération non permise");
    case ENOENT: return QStringLiteral("Fichier introuvable");
    case EEXIST: return QStringLiteral("Un fichier porte déjà ce nom");
    case EROFS: return QStringLiteral("Système de fichiers en lecture seule");
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case ENOTSUP: return QStringLiteral("Opération non prise en charge par le système de fichiers");
    case EINVAL: return QStringLiteral("Argument non valide");
    case ENAMETOOLONG: return QStringLiteral("Nom de fichier trop long");
    case EXDEV: return QStringLiteral("Le fichier ne peut pas changer de système de fichiers");
    case ENOSPC: return QStringLiteral("Plus de place sur le disque");
    case EIO: return QStringLiteral("Erreur d'entrée-sortie");
    case ENOTDIR: return QStringLiteral("Un élément du chemin n'est pas un dossier");
    case EISDIR: return QStringLiteral("Un dossier porte ce nom");
    case ENOTEMPTY: return QStringLiteral("Un dossier non vide porte déjà ce nom");
    case ELOOP: return QStringLiteral("Trop de liens symboliques dans le chemin");
    case EBUSY: return QStringLiteral("Le fichier est occupé");
    case ETXTBSY: return QStringLiteral("Le fichier est en cours d'utilisation");
    case EMLINK: return QStringLiteral("Trop de liens vers ce fichier");
    case EDQUOT: return QStringLiteral("Quota de disque dépassé");
    case ERANGE: return QStringLiteral("Valeur hors des limites admises");
    case ENOSYS: return QStringLiteral("Opération non prise en charge par le système");
    case ENOMEM: return QStringLiteral("Mémoire insuffisante");
    case ESTALE: return QStringLiteral("Le fichier n'est plus accessible (dossier réseau)");
    default:
      // In French all the same; the system's own text, whatever its language, follows.
      return QStringLiteral("Erreur système %1 (%2)").arg(err).arg(QString::fromLocal8Bit(std::strerror(err)));
  }
}

}  // namespace fw
