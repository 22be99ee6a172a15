<?xml version="1.0" encoding="ISO-8859-1" standalone="yes"?>
<DATAPACKET Version="2.0"><METADATA><FIELDS>
<FIELD attrname="NM" fieldtype="string.uni" WIDTH="20"/>
<FIELD attrname="A" fieldtype="i1"/><FIELD attrname="B" fieldtype="i2"/><FIELD attrname="C" fieldtype="ui1"/>
<FIELD attrname="D" fieldtype="ui2"/><FIELD attrname="E" fieldtype="ui4"/><FIELD attrname="F" fieldtype="r4"/>
<FIELD attrname="G" fieldtype="fixed"/><FIELD attrname="H" fieldtype="fixedFMT"/><FIELD attrname="I" fieldtype="date"/>
<FIELD attrname="J" fieldtype="time"/><FIELD attrname="K" fieldtype="SQLdateTime"/><FIELD attrname="L" fieldtype="i8"/>
</FIELDS><PARAMS/></METADATA><ROWDATA>
<ROW RowState="4" NM="pão" A="-128" B="32767" C="255" D="65535" E="4294967295" F="1.5" G="12.34" H="-0.01" I="20240315" J="13:45:30.123" K="20240315T13:45:30" L="-9223372036854775808"/>
<ROW/>
</ROWDATA></DATAPACKET>
