<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="CDOPERADOR" fieldtype="string" WIDTH="12"/>
<FIELD attrname="NMOPERADOR" fieldtype="string" WIDTH="60"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW CDOPERADOR="0001" NMOPERADOR="Ana Lima"/>
</ROWDATA>
</DATAPACKET>
