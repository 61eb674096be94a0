#pragma once

#include <QString>

// Every fixed text the user sees.
namespace msg {

// Main window
inline const QString kTableDocument = QStringLiteral("テーブル仕様書");
inline const QString kViewDocument = QStringLiteral("ビュー仕様書");
inline const QString kProcedureDocument = QStringLiteral("ストアドプロシージャ仕様書");
inline const QString kFunctionDocument = QStringLiteral("ストアドファンクション仕様書");
inline const QString kMenuFile = QStringLiteral("ファイル(&F)");
inline const QString kMenuFileConnect = QStringLiteral("データベース接続(&C)...");
inline const QString kMenuFileEnd = QStringLiteral("終了(&X)");
inline const QString kMenuFileSave = QStringLiteral("ファイルに保存して開く(&S)");
inline const QString kMenuFileSaveDocuments[] = {QStringLiteral("テーブル仕様書(&T)..."),
    QStringLiteral("ビュー仕様書(&V)..."), QStringLiteral("ストアドプロシージャ仕様書(&P)..."),
    QStringLiteral("ストアドファンクション仕様書(&U)...")};
inline const QString kMenuHelp = QStringLiteral("ヘルプ(&H)");
inline const QString kMenuHelpVersion = QStringLiteral("バージョン(&V)...");

// Status line
inline const QString kCreatingDocument = QStringLiteral("仕様書を作成しています...");
inline const QString kDocumentCreated = QStringLiteral("仕様書を作成しました。");
inline const QString kNotConnected = QStringLiteral("データベースに接続されていません。");
inline const QString kNoData = QStringLiteral("データがみつかりません。");
inline const QString kConnected = QStringLiteral("データベース接続に成功しました。");
inline const QString kDocumentSaved = QStringLiteral("仕様書を %1 に保存しました。");

// Message boxes
inline const QString kSpreadsheetMissing = QStringLiteral("Microsoft Excelがインストールされていません。");

// Save dialog
inline const QString kSaveDialogCaption = QStringLiteral("仕様書の保存");
inline const QString kWorkbookFilter = QStringLiteral("Excel ブック (*.xlsx)");

// Workbook
inline const QString kIndexSheetName = QStringLiteral("目次");

// Logon dialog
inline const QString kLogonCaption = QStringLiteral("SQL Server接続");
inline const QString kLabelServer = QStringLiteral("サーバー:");
inline const QString kLabelDatabase = QStringLiteral("データベース:");
inline const QString kLabelUser = QStringLiteral("ユーザー:");
inline const QString kLabelPassword = QStringLiteral("パスワード:");
inline const QString kButtonConnect = QStringLiteral("接続");
inline const QString kButtonCancel = QStringLiteral("キャンセル");

}  // namespace msg
