#include "app/core/AppConfig.h"
#include "app/core/DefaultDatabase.h"

#include "db/ADODB.h"
#include "rtl/FileUtils.h"

bool CreateDefaultDatabase(const String& folder) {
    const String file = DatabaseFileIn(folder);
    if (FileExists(file)) return false;
    if (!ForceDirectories(ExtractFileDir(file))) throw EInOutError("Cannot create the folder " + folder);
    TADOConnection::CreateDatabase(file, DatabasePassword);
    try {
        TADOConnection cnn;
        cnn.SetLoginPrompt(false);
        cnn.SetConnectionString(ConnectionStringFor(ExtractFilePath(file)));
        cnn.Open();
        cnn.BeginTrans();
        try {
            for (const String& statement : DefaultDatabaseStatements())
                cnn.Execute(statement);
            cnn.CommitTrans();
        } catch (...) {
            cnn.RollbackTrans();
            throw;
        }
        cnn.Close();
    } catch (...) {
        DeleteFile(file);
        DeleteFile(file + "-wal");
        DeleteFile(file + "-shm");
        throw;
    }
    return true;
}
