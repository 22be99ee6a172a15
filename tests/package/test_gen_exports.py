#!/usr/bin/env python3
"""The generator of the module's exports: what it exports from a service header, and the
declarations it refuses instead of leaving them out."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "gen_exports.py"

GOOD = """\
#pragma once
namespace tmk {
// A read.
QVariant getUm(TrdmGerMesa& dm, const QString& cdFilial,
               const QString& nrMesa);
bool temDois(TrdmGerMesa& dm, const QString& cdFilial);
double valorTres(TrdmGerMesa& dm);
// QVariant comentado(TrdmGerMesa& dm, const QString& x);
template <typename Body>
QVariant runOperation(TrdmGerMesa& dm, Body&& body) {
    return body();
}
}
"""


class GenExports(unittest.TestCase):
    def run_on(self, headers):
        self.dir = tempfile.TemporaryDirectory()
        root = pathlib.Path(self.dir.name)
        (root / "service").mkdir()
        paths = []
        for name, text in headers.items():
            p = root / "service" / name
            p.write_text(text, encoding="utf-8")
            paths.append(str(p))
        cpp, names = root / "out.cpp", root / "out.h"
        done = subprocess.run([sys.executable, str(SCRIPT), "--cpp", str(cpp), "--names",
                               str(names), "--include-root", str(root)] + paths,
                              capture_output=True, text=True)
        read = lambda p: p.read_text(encoding="utf-8") if p.exists() else ""
        return done, read(cpp), read(names)

    def tearDown(self):
        self.dir.cleanup()

    def test_every_declaration_is_exported_and_listed(self):
        done, cpp, names = self.run_on({"leituras.h": GOOD})
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn('#include "service/leituras.h"', cpp)
        self.assertIn("Q_DECL_EXPORT QVariant getUm(const QString& cdFilial, "
                      "const QString& nrMesa) {", cpp)
        self.assertIn("tmk::getUm(*rdmGerMesa, cdFilial, nrMesa)", cpp)
        self.assertIn("return tmk::temDois(modulo(), cdFilial);", cpp)
        self.assertIn("return tmk::valorTres(modulo());", cpp)
        for name in ("getUm", "temDois", "valorTres", "StartTrans", "Trunc2"):
            self.assertIn(f'"{name}"', names)
        for name in ("comentado", "runOperation"):
            self.assertNotIn(name, cpp)
            self.assertNotIn(name, names)

    def test_a_declaration_it_cannot_export_stops_the_build(self):
        for old, new, name in (("bool temDois", "int temDois", "temDois"),
                               ("double valorTres", "std::optional<double> valorTres",
                                "valorTres")):
            with self.subTest(new):
                done, _, _ = self.run_on({"leituras.h": GOOD.replace(old, new)})
                self.assertNotEqual(done.returncode, 0)
                self.assertIn(name, done.stderr)
                self.dir.cleanup()

    def test_an_operation_declared_twice_stops_the_build(self):
        done, _, _ = self.run_on({"a.h": GOOD, "b.h": GOOD})
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("declared twice", done.stderr)

    def test_headers_without_operations_stop_the_build(self):
        done, _, _ = self.run_on({"vazio.h": "#pragma once\n"})
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("no data-service operation", done.stderr)


if __name__ == "__main__":
    unittest.main()
