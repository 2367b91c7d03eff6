// The files beside a table that belong to its index alone: the production
// index ("<table>.mdx") and the index semaphore ("<table>.@S@"). After an
// unclean end the index may not match its table and the semaphore may still
// count programs that no longer run; deleting both lets the next open
// rebuild the index and start a fresh semaphore.
#pragma once

#include <QString>

namespace pw {

// Deletes the production index and the semaphore file of the table at
// `tablePath`, each found in any case of its name (every match when several
// are there). A file another program has open is left alone. False with
// `*failure` naming the first file that could not be deleted.
bool RemoveIndexFiles(const QString& tablePath, QString* failure);

}  // namespace pw
