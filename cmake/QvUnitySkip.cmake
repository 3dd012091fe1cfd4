# Sources compiled on their own in unity builds: their file-local helpers (anonymous
# namespaces, static functions, per-window tables such as kWindow and kGrids) share names with
# another source of the same target. Listed by file name, so a source keeps its entry when it
# moves to another folder of its target. A new clash shows as a "redefinition" error in a
# Unity/unity_N_cxx.cxx file: add the source here (or give the helper a distinct name).
set(QV_UNITY_SKIP_qv_grid
    GridDatePicker.cpp GridEditBtn.cpp QsgDateTimePicker.cpp QvDropXPVS.cpp QvStyleIF.cpp
    autosize.cpp cellparts.cpp checkboxes.cpp columnstream.cpp csv.cpp draw.cpp progress.cpp
    textexchange.cpp
    textfile.cpp)
set(QV_UNITY_SKIP_qv_dropdowns
    QvDetailDropDown.cpp QvImagePicker.cpp QvTimePicker.cpp)
set(QV_UNITY_SKIP_qv_gateway
    UParGen.cpp)
set(QV_UNITY_SKIP_qv_fieldbus
    UEtherCATSlave.cpp UEtherCAT_ESI_File.cpp UReceiveCAN.cpp UReceiveJ1939.cpp UReceiveNMEA.cpp
    USet_PDO_Access.cpp USet_SDO_Server_Access.cpp UTransmitCAN.cpp UTransmitJ1939.cpp
    UTransmitNMEA.cpp)
set(QV_UNITY_SKIP_qv_ethernet
    UBACnetAccess.cpp UBACnetSlaveSetAccess.cpp UEtherNetIP_Master_Access.cpp UImportEDEFile.cpp
    UModbus_TCP_Master_Set_Access.cpp UProfinetFileName.cpp US7_Protocol_Set_Access.cpp)
set(QV_UNITY_SKIP_qv_energy_it
    UIEC61850_Variables.cpp UIEC_61850_AccessTables.cpp UMQTT_Set_Topic.cpp
    UOPC_UA_Client_AccessTables.cpp UOPC_UA_Server_Access.cpp USNMPManagerAccess.cpp
    USNMP_Trap_Access.cpp)
set(QV_UNITY_SKIP_qv_app
    UNew_Project.cpp UOpenConf.cpp)
set(QV_UNITY_SKIP_test_grid
    BalloonTest.cpp CellStoreTest.cpp GridCellScrollBarScreenshotTest.cpp GridEditPlacementTest.cpp GridPressTest.cpp
    GridLooksTest.cpp
    GridOriginTest.cpp GridPaintTest.cpp GridPrintPdfTest.cpp PaintMarkupPixelTest.cpp
    QSGEditTest.cpp QsgSpinTest.cpp QvCheckBoxTest.cpp QvGridCellObjectsTest.cpp
    QvGridClipboardTest.cpp QvGridFilterTest.cpp QvGridHiddenTest.cpp QvGridLooksTest.cpp
    QvGridMovesTest.cpp QvGridNumericTest.cpp QvGridSortTest.cpp QvGridTest.cpp
    QvGridTextExchangeTest.cpp QvGridTextFileTest.cpp QvGridXmlExchangeTest.cpp
    QvRichEditTest.cpp StringGridTest.cpp ZirAzurNumbersTest.cpp ZirAzurTest.cpp
    ZirAzurTextTest.cpp ZirAzurWideTextTest.cpp)
set(QV_UNITY_SKIP_test_dropdowns
    ColorPanelsTest.cpp ColorSelectorTest.cpp DropDownPaintTest.cpp DropDownStylesTest.cpp
    ItemSelectorTest.cpp QvColorPickerTest.cpp QvCustomGridDropDownTest.cpp
    QvImagePickerTest.cpp QvMemoDropDownTest.cpp QvMultiColumnDropDownTest.cpp
    QvTimePickerTest.cpp)
set(QV_UNITY_SKIP_test_gateway
    UDefOffsetTest.cpp UIOLinkSlaveIODDTest.cpp UIOLinkSlaveTest.cpp)
set(QV_UNITY_SKIP_test_fieldbus
    UReceiveNMEATest.cpp UTransmitJ1939Test.cpp)
set(QV_UNITY_SKIP_test_ethernet
    UBACnetAccessTest.cpp UEtherNetIP_EDSTest.cpp UEtherNetIP_Master_AccessTest.cpp
    US7_Protocol_Set_AccessTest.cpp USetAccessTest.cpp)
set(QV_UNITY_SKIP_test_energy_it
    UIEC61850_VariablesTest.cpp UOPC_UA_Server_AccessTest.cpp UTLS_Server_Known_CertTest.cpp)
