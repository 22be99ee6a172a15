<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="DATAMOVIMENTO" fieldtype="dateTime"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW DATAMOVIMENTO="20261208T00:00:00000"/>
</ROWDATA>
</DATAPACKET>
