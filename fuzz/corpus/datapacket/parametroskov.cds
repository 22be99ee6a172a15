<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="IDESQUEMA" fieldtype="string" WIDTH="3"/>
<FIELD attrname="UTILIZAIMPFIS" fieldtype="boolean"/>
<FIELD attrname="SISTEMALESTOVENDA" fieldtype="boolean"/>
<FIELD attrname="SISTEMAKOVNFCE" fieldtype="boolean"/>
<FIELD attrname="DISPLAYOK" fieldtype="boolean"/>
<FIELD attrname="CDFILIAL" fieldtype="string" WIDTH="4"/>
<FIELD attrname="CDLOJA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="CDCAIXA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="IDCOLETOR" fieldtype="string" WIDTH="1"/>
<FIELD attrname="CDFILICONFTE" fieldtype="string" WIDTH="4"/>
<FIELD attrname="NRCONFTELA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="NRMINSEMCONS" fieldtype="string" WIDTH="4"/>
<FIELD attrname="IDUTLSENHAOPER" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDTIPOGAVETA" fieldtype="string" WIDTH="1"/>
<FIELD attrname="CDPORTAIMPFIS" fieldtype="string" WIDTH="20"/>
<FIELD attrname="IDTIPOIMPNF1" fieldtype="string" WIDTH="2"/>
<FIELD attrname="CDPORTIMPNF1" fieldtype="string" WIDTH="20"/>
<FIELD attrname="IDTPVENDIMPNF1" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDTIPOIMPNF2" fieldtype="string" WIDTH="2"/>
<FIELD attrname="CDPORTIMPNF2" fieldtype="string" WIDTH="20"/>
<FIELD attrname="IDTPVENDIMPNF2" fieldtype="string" WIDTH="1"/>
<FIELD attrname="DATAIMP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDPERTROCAOP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="CDPRODCONSUM" fieldtype="string" WIDTH="20"/>
<FIELD attrname="CDPRODCONSUF" fieldtype="string" WIDTH="20"/>
<FIELD attrname="CDPRODCOUVER" fieldtype="string" WIDTH="20"/>
<FIELD attrname="DTABERCAIXA" fieldtype="dateTime"/>
<FIELD attrname="IDPAISINTEGRA" fieldtype="string" WIDTH="2"/>
<FIELD attrname="NRSERIEIMP" fieldtype="string" WIDTH="30"/>
<FIELD attrname="IDTIPOIMPFIS" fieldtype="i4"/>
<FIELD attrname="DSDIRCAD" fieldtype="string" WIDTH="255"/>
<FIELD attrname="ctAbrirGaveta" fieldtype="i4"/>
<FIELD attrname="ctCancItemGen" fieldtype="i4"/>
<FIELD attrname="ctParcCont" fieldtype="i4"/>
<FIELD attrname="ctCancComanda" fieldtype="i4"/>
<FIELD attrname="ctAltNrPessoa" fieldtype="i4"/>
<FIELD attrname="ctLiberarMesa" fieldtype="i4"/>
<FIELD attrname="ctConsultaPreco" fieldtype="i4"/>
<FIELD attrname="ctTrocaOperador" fieldtype="i4"/>
<FIELD attrname="IDIMPCOMPCUPVEN" fieldtype="string" WIDTH="1"/>
<FIELD attrname="BOERROIMPRESSORA" fieldtype="boolean"/>
<FIELD attrname="CDPREFINTGCOL" fieldtype="string" WIDTH="10"/>
<FIELD attrname="DSMODELOECFVE" fieldtype="string" WIDTH="30"/>
<FIELD attrname="DSMARCAECFVE" fieldtype="string" WIDTH="30"/>
<FIELD attrname="ECFIMP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDEXIBTICCUP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="CDESTADOIBGE" fieldtype="string" WIDTH="2"/>
<FIELD attrname="CDINSJUREMPR" fieldtype="string" WIDTH="18"/>
<FIELD attrname="IDAMBTRABNFCE" fieldtype="string" WIDTH="1"/>
<FIELD attrname="SGESTADOFILI" fieldtype="string" WIDTH="2"/>
<FIELD attrname="IDTIPOIMPNF3" fieldtype="string" WIDTH="2"/>
<FIELD attrname="CDPORTIMPNF3" fieldtype="string" WIDTH="20"/>
<FIELD attrname="IDTPVENDIMPNF3" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDINTHOTEL" fieldtype="string" WIDTH="1"/>
<FIELD attrname="VRCOMISVENDA" fieldtype="r8"/>
<FIELD attrname="SISTEMAKOVSAT" fieldtype="boolean"/>
<FIELD attrname="IDIMPCNPJCLIE" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDSENHACUP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDOBRIGFECHCAIX" fieldtype="string" WIDTH="1"/>
<FIELD attrname="CDCLIENTE" fieldtype="string" WIDTH="15"/>
<FIELD attrname="IDCONSCAMPFIDEL" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDUTILSATCOMP" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDVERGAVETANFIS" fieldtype="string" WIDTH="1"/>
<FIELD attrname="NRMINSENHAAL" fieldtype="i4"/>
<FIELD attrname="IDIMPRCUPTEFRED" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDUTILTEF" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDIMPRTEF" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDENVCUPOMEMAIL" fieldtype="string" WIDTH="1"/>
<FIELD attrname="NRMAXSENHAPED" fieldtype="string" WIDTH="4"/>
<FIELD attrname="DSLOGOTELA" fieldtype="string" WIDTH="255"/>
<FIELD attrname="IDIMPCUPMEI" fieldtype="string" WIDTH="1"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW IDESQUEMA="001" UTILIZAIMPFIS="FALSE" SISTEMALESTOVENDA="FALSE" SISTEMAKOVNFCE="TRUE" DISPLAYOK="FALSE" CDFILIAL="0001" CDLOJA="0001" CDCAIXA="001" IDCOLETOR="N" CDFILICONFTE="0001" NRCONFTELA="01" NRMINSEMCONS="30" IDUTLSENHAOPER="S" IDTIPOGAVETA="1" CDPORTAIMPFIS="" IDTIPOIMPNF1="1" CDPORTIMPNF1="USB001" IDTPVENDIMPNF1="T" IDTIPOIMPNF2="1" CDPORTIMPNF2="USB002" IDTPVENDIMPNF2="M" DATAIMP="N" IDPERTROCAOP="S" CDPRODCONSUM="90001" CDPRODCONSUF="90002" CDPRODCOUVER="90003" DTABERCAIXA="20261208T05:18:00000" IDPAISINTEGRA="01" NRSERIEIMP="SIM0000001" IDTIPOIMPFIS="0" DSDIRCAD="\Dados\Cadastros\" ctAbrirGaveta="101" ctCancItemGen="102" ctParcCont="103" ctCancComanda="104" ctAltNrPessoa="105" ctLiberarMesa="106" ctConsultaPreco="107" ctTrocaOperador="108" IDIMPCOMPCUPVEN="N" BOERROIMPRESSORA="FALSE" CDPREFINTGCOL="" DSMODELOECFVE="IMPRESSORA SIMULADA" DSMARCAECFVE="SIMULADA" ECFIMP="N" IDEXIBTICCUP="S" CDESTADOIBGE="35" CDINSJUREMPR="12345678000195" IDAMBTRABNFCE="2" SGESTADOFILI="SP" IDTIPOIMPNF3="1" CDPORTIMPNF3="USB003" IDTPVENDIMPNF3="B" IDINTHOTEL="N" VRCOMISVENDA="10" SISTEMAKOVSAT="FALSE" IDIMPCNPJCLIE="N" IDSENHACUP="S" IDOBRIGFECHCAIX="N" CDCLIENTE="000001" IDCONSCAMPFIDEL="S" IDUTILSATCOMP="N" IDVERGAVETANFIS="N" NRMINSENHAAL="4" IDIMPRCUPTEFRED="N" IDUTILTEF="S" IDIMPRTEF="S" IDENVCUPOMEMAIL="S" NRMAXSENHAPED="999" DSLOGOTELA="" IDIMPCUPMEI="N"/>
</ROWDATA>
</DATAPACKET>
