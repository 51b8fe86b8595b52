#include "cli/Command.h"

Command linkTestCommand();
Command branchesCommand();
Command postCommand();
Command tablesCreateCommand();
Command importProductCommand();
Command importPurchaseCommand();
Command importStockTakeCommand();
Command importTransferCommand();
Command importDocumentCommand();
Command exportProductsCommand();
Command importCustomerCommand();
Command exportCustomersCommand();
Command checkProductsCommand();
Command checkCustomersCommand();
Command previewProductsCommand();
Command previewCustomersCommand();
Command countsCommand();
Command findProductsCommand();
Command findCustomersCommand();
Command undoCommand();
Command historyCommand();

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands = {
        linkTestCommand(),         branchesCommand(),       postCommand(),
        tablesCreateCommand(),     importProductCommand(),  importPurchaseCommand(),
        importStockTakeCommand(),  importTransferCommand(), importDocumentCommand(),
        exportProductsCommand(),   checkProductsCommand(),  importCustomerCommand(),
        exportCustomersCommand(),  checkCustomersCommand(), previewProductsCommand(),
        previewCustomersCommand(), countsCommand(),         findProductsCommand(),
        findCustomersCommand(),    undoCommand(),           historyCommand(),
    };
    return commands;
}
